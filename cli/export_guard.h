#pragma once
// tlconv export --output PATH must not destroy a list: writing over the list
// file being read (under any spelling of its path) or over an existing SQLite
// database replaces a client list with a few lines of text. --force allows it.
#include <string>

namespace tl::cli {

// Why the export must not write `outputPath` (GBK) while reading `listFile`
// (GBK): a message naming the file, or the empty text when it may.
std::string exportOutputRefusal(const std::string& outputPath, const std::string& listFile);

}  // namespace tl::cli
