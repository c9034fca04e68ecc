// The three text list readers over arbitrary file contents. Checks survival,
// the running numbers and the count field.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "readers/fanggezi_txt_reader.h"
#include "readers/xinyou_txt_reader.h"
#include "readers/yungengxin_onc_reader.h"
#include "tests/support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_text_readers-" + std::to_string(getpid()) + ".txt";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);

  static tl::test::TestApp* app = new tl::test::TestApp;  // one per process, like the tool's
  for (tl::ListReader reader : {tl::readFanggeziTxt, tl::readXinyouTxt, tl::readYungengxinOnc}) {
    tl::ReaderContext context = app->context();
    reader(context, path);
    tl::ClientGrid& grid = app->grid();
    // No more rows than lines: a line ends at LF, NUL or 1A, or at the end.
    int ends = 1;
    for (size_t i = 0; i < size; ++i)
      if (data[i] == '\n' || data[i] == 0 || data[i] == 0x1a) ++ends;
    if (grid.rowCount() > ends) std::abort();
    if (grid.status(tl::kCountField) != tl::countFieldText(grid.rowCount())) std::abort();
    for (int row = 0; row < grid.rowCount(); ++row)
      if (grid.cell(row, tl::kColNumber) != std::to_string(row + 1)) std::abort();
    if (!app->ui.messages.empty()) std::abort();
  }
  return 0;
}
