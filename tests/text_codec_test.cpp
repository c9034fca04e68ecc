#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace tl::platform {
namespace {

TEST(TextCodec, Utf8AndGbkRoundTrip) {
  const std::string utf8 = "\xE6\xB1\x80\xE6\xBE\x9C PC01";  // 汀澜 PC01 in UTF-8
  EXPECT_EQ(utf8ToGbk(utf8), "汀澜 PC01");
  EXPECT_EQ(gbkToUtf8("汀澜 PC01"), utf8);
  EXPECT_EQ(utf8ToGbk("plain ascii"), "plain ascii");
  EXPECT_EQ(utf8ToGbk(""), "");
}

TEST(TextCodec, CharactersGbkLacksBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToGbk("a\xED\x95\x9C" "b"), "a?b");  // Hangul 한
  // One per UTF-16 unit, as the Windows converter gives it.
  EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a??b");  // an emoji
}

TEST(TextCodec, BadGbkBytesBecomeReplacementCharacters) {
  std::string out;
  EXPECT_FALSE(gbkToUtf8Strict("a\xFF" "b", out));
  EXPECT_EQ(gbkToUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  // A lead byte at the very end has no trail byte.
  EXPECT_EQ(gbkToUtf8("ok\xCD"), "ok\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tl::platform
