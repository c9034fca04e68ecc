#pragma once
// Builds small SQLite files for the tests straight through the C API.
#include <string>
#include <vector>

namespace tl::test {

// Creates (or replaces) the database at `path` and runs `sql` on it (bytes
// passed unchanged). Returns SQLite's error text, empty on success.
std::string makeDatabase(const std::string& path, const std::string& sql);

// Runs one query and returns every row's columns as stored bytes ("<NULL>"
// for a NULL).
std::vector<std::vector<std::string>> queryRows(const std::string& path, const std::string& sql);

}  // namespace tl::test
