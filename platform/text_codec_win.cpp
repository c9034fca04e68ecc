#include "platform/text_codec.h"
#include "platform/text_codec_system.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

constexpr UINT kGbk = 936;

bool toWide(UINT codePage, DWORD flags, std::string_view in, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;
  int n = MultiByteToWideChar(codePage, flags, in.data(), int(in.size()), nullptr, 0);
  if (n <= 0) return false;
  out.resize(size_t(n));
  return MultiByteToWideChar(codePage, flags, in.data(), int(in.size()), out.data(), n) == n;
}

std::string fromWide(UINT codePage, std::wstring_view in) {
  if (in.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, in.data(), int(in.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(codePage, 0, in.data(), int(in.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

namespace system_codec {

std::string utf8ToGbk(std::string_view utf8) {
  std::wstring wide;
  if (!toWide(CP_UTF8, 0, utf8, wide)) return {};
  return fromWide(kGbk, wide);
}

bool gbkToUtf8Strict(std::string_view gbk, std::string& out) {
  std::wstring wide;
  if (!toWide(kGbk, MB_ERR_INVALID_CHARS, gbk, wide)) return false;
  out = fromWide(CP_UTF8, wide);
  return true;
}

}  // namespace system_codec

std::wstring gbkToWide(std::string_view gbk) {
  std::wstring wide;
  toWide(kGbk, 0, gbk, wide);
  return wide;
}

std::string wideToGbk(std::wstring_view wide) { return fromWide(kGbk, wide); }
std::string wideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, wide); }

}  // namespace tl::platform
