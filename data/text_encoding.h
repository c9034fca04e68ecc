#pragma once
// The one list file stored in UTF-8 (the 顺无盘 client list) taken into the
// tool's GBK.
#include <string>
#include <string_view>

namespace tl {

// UTF-8 bytes as GBK through the platform's converter. A leading UTF-8
// byte-order mark is dropped, so that it never reaches a JSON parser; bytes
// that are not UTF-8 and characters that GBK lacks become "?".
std::string convertUtf8ToGbk(std::string_view utf8);

}  // namespace tl
