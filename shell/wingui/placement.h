#pragma once
// Window positions on the screen. Plain arithmetic, no Win32, so that it
// is tested on any platform.
namespace tl::wingui {

struct Placement {
  int left, top;
};

// A window of this outer size centred on a screen of that size (each
// coordinate rounded toward zero).
constexpr Placement centredOnScreen(int screenWidth, int screenHeight, int width, int height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace tl::wingui
