#include "shell/wingui/code_page_text.h"

#include <windows.h>

namespace tl::wingui {
namespace {

constexpr UINT kCodePage = 936;

}  // namespace

std::wstring toWide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(kCodePage, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(kCodePage, 0, text.data(), int(text.size()), wide.data(), n);
  return wide;
}

std::string fromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(kCodePage, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(size_t(n), '\0');
  WideCharToMultiByte(kCodePage, 0, wide.data(), int(wide.size()), text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace tl::wingui
