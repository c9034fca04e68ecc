#include "cli/empty_option_values.h"

#include <gtest/gtest.h>

namespace tl::cli {
namespace {

TEST(EmptyOptionValues, OnlyAnEmptyValueAfterEqualsIsSpacedOut) {
  struct Case {
    std::vector<std::string> in, out;
  };
  const Case cases[] = {
      {{"show", "--local-dns=", "f.db"}, {"show", "--local-dns", "", "f.db"}},
      {{"show", "--local-dns=1.1.1.1", "--local-mask=", "f.db"}, {"show", "--local-dns=1.1.1.1", "--local-mask", "", "f.db"}},
      {{"show", "--local-dns", "", "f.db"}, {"show", "--local-dns", "", "f.db"}},
      {{"show", "--local-dns=a=", "f.db"}, {"show", "--local-dns=a=", "f.db"}},
      {{"show", "--", "--weird="}, {"show", "--", "--weird="}},
      {{"show", "--=", "-x="}, {"show", "--=", "-x="}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in));
    EXPECT_EQ(splitEmptyOptionValues(c.in), c.out);
  }
}

}  // namespace
}  // namespace tl::cli
