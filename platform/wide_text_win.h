#pragma once
// Windows only: GBK texts to and from the UTF-16 of the wide Win32 calls,
// converted with code page 936 explicitly so that the tool reads right on a
// Windows whose ANSI code page is not 936.
#include <string>
#include <string_view>

namespace tl::platform {

std::wstring gbkToWide(std::string_view gbk);
std::string wideToGbk(std::wstring_view wide);
std::string wideToUtf8(std::wstring_view wide);

}  // namespace tl::platform
