#include "data/text_encoding.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(TextEncoding, Utf8ToGbkWithoutTheByteOrderMark) {
  struct Case {
    std::string utf8;
    std::string gbk;
  };
  const std::string name = "\xE6\xB1\x80\xE6\xBE\x9C" "01";  // 汀澜01 in UTF-8
  const Case cases[] = {
      {"", ""},
      {"{\"macList\":[]}", "{\"macList\":[]}"},
      {name, "汀澜01"},
      {"\xEF\xBB\xBF" + name, "汀澜01"},
      {"\xEF\xBB\xBF", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(convertUtf8ToGbk(c.utf8), c.gbk) << c.utf8;
}

}  // namespace
}  // namespace tl
