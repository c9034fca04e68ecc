#include "platform/text_codec.h"

#include "data/text/gbk_text.h"

namespace tl::platform {

std::string gbkToUtf8(std::string_view gbk) {
  std::string out;
  if (gbkToUtf8Strict(gbk, out)) return out;
  // Slow path: decode character by character so only the bad bytes are lost.
  out.clear();
  std::string piece;
  for (size_t i = 0; i < gbk.size();) {
    size_t n = text::charLength(gbk, i);
    if (gbkToUtf8Strict(gbk.substr(i, n), piece)) {
      out += piece;
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      i += 1;  // the next byte may start a good character
    }
  }
  return out;
}

}  // namespace tl::platform
