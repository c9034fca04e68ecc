// What the update check reads from the network: the version text and the
// downloaded program file. Arbitrary bytes must give a number and a yes/no,
// never a read outside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tl::update::versionNumber(bytes);
  if (tl::update::isCompleteWindowsExecutable(bytes)) {
    // The first half of a complete file: the check must stay inside the
    // shorter copy, whose headers point past its end.
    tl::update::isCompleteWindowsExecutable(bytes.substr(0, size / 2));
  }
  return 0;
}
