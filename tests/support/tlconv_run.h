#pragma once
// Runs tlconv in-process with its standard output and error captured.
#include <sstream>
#include <string>
#include <vector>

#include "cli/tlconv_app.h"

namespace tl::test {

struct TlconvRun {
  int status;
  std::string out, err;
};

inline TlconvRun tlconv(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = cli::runTlconv(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tl::test
