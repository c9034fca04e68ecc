#pragma once
// Conversion between GBK (code page 936) and UTF-8. Windows: the code page
// functions with 936 and 65001; POSIX: iconv with CP936.
#include <string>
#include <string_view>

namespace tl::platform {

// UTF-8 to GBK. Invalid UTF-8 and characters that GBK lacks become "?", as
// the Windows converter's default character. A conversion that yields
// nothing gives the empty text.
std::string utf8ToGbk(std::string_view utf8);

// GBK to UTF-8. Returns false (and leaves `out` unspecified) when the input
// holds a byte sequence that is not GBK.
bool gbkToUtf8Strict(std::string_view gbk, std::string& out);

// GBK to UTF-8 for showing or handing a text to the system: a byte that does
// not decode as GBK becomes U+FFFD.
std::string gbkToUtf8(std::string_view gbk);

}  // namespace tl::platform
