#pragma once
// The check the import runs on the grid before it writes anything: the
// server boots every PC from these rows, so a duplicated MAC, IP or name, or
// a malformed address, leaves PCs that cannot boot.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/client_grid.h"

namespace tl {

struct ImportProblem {
  std::string_view kind;  // "duplicate-mac", "bad-ip", ... (ASCII, a constant of the check)
  std::vector<int> rows;  // 0-based grid rows involved, in grid order
  std::string text;       // one line for the operator, GBK
};

std::vector<ImportProblem> checkClientGrid(const ClientGrid& grid);

// The question box before the import: the first `shown` problems, then
// "另有 N 处问题", then "是否仍然导入？".
std::string importCheckQuestion(const std::vector<ImportProblem>& problems, size_t shown = 20);

// The MAC's twelve hex digits in upper case once "-", ":" and "." are gone;
// the empty text when it is not a MAC.
std::string normalizedMac(const std::string& mac);

// The same MAC as a number (its twelve hex digits), or false.
bool macNumber(const std::string& mac, uint64_t& number);

// The address of a dotted quad of four numbers 0..255 (digits only), or
// false.
bool parseDottedQuad(const std::string& text, uint32_t& address);

}  // namespace tl
