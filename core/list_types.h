#pragma once
// The 21 list types the tool recognises, in probing order. Detection returns
// the name; dispatch compares it byte for byte; the type text goes into the
// type field when the row's rule matches.
#include <array>
#include <string_view>

namespace tl {

enum class ProbePhase { Sql, Text, Ini };

struct ListType {
  int number;  // 1..21, the probing order
  ProbePhase phase;
  std::string_view name;
  std::string_view typeText;
};

inline constexpr int kListTypeCount = 21;
const std::array<ListType, kListTypeCount>& listTypes();

}  // namespace tl
