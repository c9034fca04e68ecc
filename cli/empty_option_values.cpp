#include "cli/empty_option_values.h"

namespace tl::cli {

std::vector<std::string> splitEmptyOptionValues(const std::vector<std::string>& args) {
  std::vector<std::string> out;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (arg == "--") optionsEnded = true;
    if (!optionsEnded && arg.size() > 3 && arg.starts_with("--") && arg.back() == '=' &&
        arg.find('=') == arg.size() - 1) {
      out.push_back(arg.substr(0, arg.size() - 1));
      out.emplace_back();
    } else {
      out.push_back(arg);
    }
  }
  return out;
}

}  // namespace tl::cli
