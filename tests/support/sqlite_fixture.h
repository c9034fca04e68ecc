#pragma once
// Builds small SQLite files for the tests straight through the C API.
#include <string>
#include <vector>

namespace tl::test {

// The 汀澜 client table as the server creates it.
inline constexpr const char* kClientTable =
    "create table cs_client_info(id integer primary key, client_name text, client_mac text, client_ip text,"
    " client_mask text, client_gate_way text, client_dns1 text, client_dns2 text, client_group_name text);";

// Creates (or replaces) the database at `path` and runs `sql` on it (bytes
// passed unchanged). Returns SQLite's error text, empty on success.
std::string makeDatabase(const std::string& path, const std::string& sql);

// Runs one query and returns every row's columns as stored bytes ("<NULL>"
// for a NULL).
std::vector<std::vector<std::string>> queryRows(const std::string& path, const std::string& sql);

}  // namespace tl::test
