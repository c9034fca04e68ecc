// Detection and the chosen reader over arbitrary file contents: the whole
// path a dropped file takes. Checks survival, that the type field ends in a
// known state, that the grid's rows are numbered, and that recognising a
// list never writes to it (the file keeps its bytes).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "app/list_types.h"
#include "tests/support/fake_platform.h"

namespace {

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_detection-" + std::to_string(getpid()) + ".lst";
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::remove(path.c_str());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);

  static tl::test::TestApp* app = new tl::test::TestApp;  // one per process, like the tool's
  app->ui.messages.clear();
  std::string type = app->converter.openListFile(path);

  tl::ClientGrid& grid = app->grid();
  const std::string& typeField = grid.status(tl::kTypeField);
  if (type.empty()) {
    if (typeField != "列表文件不支持" || grid.rowCount() != 0) std::abort();
  } else if (!startsWith(typeField, "列表类型") && !startsWith(typeField, "数据库打开失败")) {
    std::abort();
  }
  for (int row = 0; row < grid.rowCount(); ++row)
    if (grid.cell(row, tl::kColNumber) != std::to_string(row + 1)) std::abort();
  if (fileBytes(path) != input) std::abort();
  return 0;
}
