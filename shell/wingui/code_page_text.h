#pragma once
// The wrappers take and give narrow texts in code page 936 (GBK) and talk to
// the wide Win32 calls, converting with that code page explicitly so that
// the windows read right on a Windows whose ANSI code page is another.
#include <string>
#include <string_view>

namespace tl::wingui {

std::wstring toWide(std::string_view text);
std::string fromWide(std::wstring_view wide);

}  // namespace tl::wingui
