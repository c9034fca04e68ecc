#pragma once
// "--local-dns=" gives an option the empty text. The command-line parser
// reads an empty value after "=" as no value and takes the next argument
// instead (the list file, or the next option's value), so such arguments
// are handed to it in the spaced form "--local-dns" "".
#include <string>
#include <vector>

namespace tl::cli {

// Every "--name=" before a lone "--" becomes "--name" followed by "".
std::vector<std::string> splitEmptyOptionValues(const std::vector<std::string>& args);

}  // namespace tl::cli
