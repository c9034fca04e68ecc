#include "data/text_encoding.h"

#include "platform/text_codec.h"

namespace tl {

std::string convertUtf8ToGbk(std::string_view utf8) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark) utf8.remove_prefix(kByteOrderMark.size());
  return platform::utf8ToGbk(utf8);
}

}  // namespace tl
