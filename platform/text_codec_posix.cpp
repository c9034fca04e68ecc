#include "platform/text_codec_system.h"

#include <iconv.h>

#include <cerrno>

namespace tl::platform {
namespace {

// One iconv pass. `onInvalid` is appended for each input byte that cannot be
// converted; with an empty `onInvalid` such input fails the whole call.
// One converter per direction and thread, opened once: iconv_open costs far
// more than a short conversion, and readers convert every cell.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

iconv_t converter(bool toGbk) {
  thread_local Converter fromUtf8("CP936", "UTF-8");
  thread_local Converter toUtf8("UTF-8", "CP936");
  Converter& c = toGbk ? fromUtf8 : toUtf8;
  if (!c.ok()) return reinterpret_cast<iconv_t>(-1);
  iconv(c.get(), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  return c.get();
}

bool convert(const char* to, const char* from, std::string_view in, std::string& out,
             std::string_view onInvalid) {
  iconv_t cd = converter(std::string_view(to) == "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  out.reserve(in.size() * 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[4096];
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, size_t(dst - buffer));
    if (rc != size_t(-1)) continue;
    if (errno == E2BIG) continue;
    if (onInvalid.empty()) { ok = false; break; }
    // EILSEQ (not convertible) or EINVAL (cut at the end): skip one byte.
    // A character that decodes but has no GBK form consumes its whole
    // UTF-8 sequence.
    size_t skip = 1;
    if (errno == EILSEQ && std::string_view(from) == "UTF-8") {
      auto lead = static_cast<unsigned char>(*src);
      size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      bool whole = len <= srcLeft;
      for (size_t k = 1; whole && k < len; ++k)
        whole = (static_cast<unsigned char>(src[k]) & 0xC0) == 0x80;
      if (whole) skip = len;
    }
    out.append(onInvalid);
    // Windows replaces per UTF-16 unit: a character beyond U+FFFF gives two.
    if (skip == 4) out.append(onInvalid);
    src += skip;
    srcLeft -= skip;
  }
  if (ok) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, size_t(dst - buffer));
  }
  return ok;
}

}  // namespace

namespace system_codec {

std::string utf8ToGbk(std::string_view utf8) {
  std::string out;
  convert("CP936", "UTF-8", utf8, out, "?");
  return out;
}

bool gbkToUtf8Strict(std::string_view gbk, std::string& out) {
  return convert("UTF-8", "CP936", gbk, out, {});
}

}  // namespace system_codec
}  // namespace tl::platform
