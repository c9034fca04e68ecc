#include "update/file_version.h"

#include <gtest/gtest.h>

#include "tests/support/pe_image.h"

namespace tl::update {
namespace {

TEST(FileVersion, TextIsFourNumbersOfAtMost65535) {
  FileVersion v;
  ASSERT_TRUE(parseFileVersion("1.2.4.0", v));
  EXPECT_EQ(v, (FileVersion{{1, 2, 4, 0}}));
  ASSERT_TRUE(parseFileVersion("65535.0.10.007", v));
  EXPECT_EQ(fileVersionText(v), "65535.0.10.7");
  for (const char* bad : {"", "1.2.4", "1.2.4.0.1", "1.2..0", "1.2.4.", "65536.0.0.0", "1.2.4.0\r\n", " 1.2.4.0",
                          "1.2.4.x", "-1.2.4.0", "000001.0.0.0"})
    EXPECT_FALSE(parseFileVersion(bad, v)) << bad;
}

TEST(FileVersion, ComparesNumberByNumber) {
  EXPECT_LT((FileVersion{{1, 2, 9, 0}}), (FileVersion{{1, 2, 10, 0}}));
  EXPECT_LT((FileVersion{{1, 2, 10, 0}}), (FileVersion{{1, 3, 0, 0}}));
  EXPECT_FALSE((FileVersion{{1, 2, 4, 0}}) < (FileVersion{{1, 2, 4, 0}}));
}

TEST(FileVersion, ReadsTheVersionResourceOfAnExecutable) {
  for (FileVersion wanted : {FileVersion{{1, 2, 5, 0}}, FileVersion{{65535, 1, 65534, 2}}}) {
    FileVersion read;
    ASSERT_TRUE(readFileVersion(test::executableWithVersion(wanted), read));
    EXPECT_EQ(read, wanted);
  }
}

TEST(FileVersion, BrokenOrMissingResourcesGiveNoVersion) {
  const std::string image = test::executableWithVersion({{1, 2, 5, 0}});
  struct Row {
    const char* what;
    size_t offset;  // where `value` goes in a copy of the image
    uint8_t value;
  };
  const Row cases[] = {
      {"no MZ", 0x00, 'X'},
      {"e_lfanew past the end", 0x3F, 0x7F},
      {"not PE32 or PE32+", 0x58, 0x07},
      {"too few data directories", 0x58 + 108, 2},
      {"no resource directory", 0x58 + 112 + 17, 0},
      {"resource directory outside every section", 0x58 + 112 + 18, 0x10},
      {"no version type", 0x200 + 16, 17},
      {"version type is no subdirectory", 0x200 + 23, 0x00},
      {"no name 1", 0x218 + 16, 2},
      {"language entry is a subdirectory", 0x230 + 23, 0x80},
      {"data outside the section", 0x248 + 1, 0x30},
      {"data too small", 0x248 + 4, 40},
      {"wrong key", 0x258 + 6, 'W'},
      {"value too short", 0x258 + 2, 20},
      {"no fixed-info signature", 0x258 + 40, 0},
      {"section table outside the file (optional header size)", 0x55, 0x7F},
  };
  for (const Row& c : cases) {
    std::string bytes = image;
    bytes[c.offset] = char(c.value);
    FileVersion v;
    EXPECT_FALSE(readFileVersion(bytes, v)) << c.what;
  }
  for (size_t cut : {0x02, 0x3F, 0x60, 0x150, 0x210, 0x25A, 0x28E}) {
    FileVersion v;
    EXPECT_FALSE(readFileVersion(image.substr(0, cut), v)) << cut;
  }
}

}  // namespace
}  // namespace tl::update
