#pragma once
// tlconv: the same operations as the window, driven from a command line.
#include <iosfwd>
#include <string>
#include <vector>

namespace tl::cli {

// Runs one command. `args` are UTF-8 and exclude the program name. Returns
// the exit status: 0 done, 1 stopped without doing it, 2 usage error.
int runTlconv(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tl::cli
