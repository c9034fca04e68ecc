#pragma once
// The system's converters behind text_codec.h: iconv on POSIX, the code page
// functions on Windows. text_codec.cpp hands them only texts that hold a
// byte of 0x80 or more; plain ASCII is the same bytes in GBK and UTF-8.
#include <string>
#include <string_view>

namespace tl::platform::system_codec {

std::string utf8ToGbk(std::string_view utf8);
bool gbkToUtf8Strict(std::string_view gbk, std::string& out);

}  // namespace tl::platform::system_codec
