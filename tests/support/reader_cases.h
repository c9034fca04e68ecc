#pragma once
// The table runner of the list reader tests: each case is one file read by
// one reader on a fresh TestApp (mask 255.255.255.0, gateway 192.168.1.1,
// DNS 10.0.0.1 and 10.0.0.2).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/reader_context.h"
#include "tests/support/fake_platform.h"
#include "tests/support/grid_rows.h"
#include "tests/support/temp_dir.h"

namespace tl::test {

struct ReaderCase {
  const char* what;
  std::string file;
  std::vector<ClientRow> expected;
  std::string countField = {};  // empty: the count of the expected rows
};

inline void runCases(ListReader reader, const std::vector<ReaderCase>& cases) {
  TempDir dir;
  int n = 0;
  for (const ReaderCase& c : cases) {
    TestApp app;
    ReaderContext context = app.context();
    reader(context, dir.write("list" + std::to_string(n++) + ".txt", c.file));
    EXPECT_EQ(gridRows(app.grid()), c.expected) << c.what;
    std::string count = c.countField.empty() ? countFieldText(static_cast<long long>(c.expected.size())) : c.countField;
    EXPECT_EQ(app.grid().status(kCountField), count) << c.what;
    EXPECT_TRUE(app.ui.messages.empty()) << c.what;
  }
}

}  // namespace tl::test
