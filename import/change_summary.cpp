#include "import/change_summary.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>
#include <string_view>
#include <tuple>

#include <sqlite3.h>

#include "import/sqlite_query.h"

namespace tl {
namespace {

constexpr const char* kStoredColumnNames[] = {"client_name", "client_mac", "client_ip", "client_mask",
                                             "client_gate_way", "client_dns1", "client_dns2", "client_group_name"};

// The row's MAC as a number when it is one (twelve hex digits once "-",
// ":" and "." are gone), else its stored text as it is, so that two rows
// with one odd MAC still meet.
struct MatchKey {
  bool odd;
  uint64_t mac;
  std::string_view text;
  auto operator<=>(const MatchKey&) const = default;
};

MatchKey matchKey(const StoredClient& client) {
  const std::string& stored = client[kStoredMac];
  uint64_t mac = 0;
  int digits = 0;
  for (char c : stored) {
    if (c == '-' || c == ':' || c == '.') continue;
    int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (value < 0 || ++digits > 12) return {true, 0, stored};
    mac = mac << 4 | uint64_t(value);
  }
  if (digits != 12) return {true, 0, stored};
  return {false, mac, {}};
}

// Which old row each new row meets: the first old row with its key that is
// still free, or none.
std::vector<size_t> matchOldRows(const std::vector<StoredClient>& before, const std::vector<StoredClient>& after) {
  constexpr size_t kNone = size_t(-1);
  std::vector<std::pair<MatchKey, size_t>> old;  // sorted by key, then by row
  old.reserve(before.size());
  for (size_t i = 0; i < before.size(); ++i) old.emplace_back(matchKey(before[i]), i);
  std::sort(old.begin(), old.end());
  // For the first entry of each key: the entry of the next free old row.
  std::vector<size_t> nextFree(old.size());
  for (size_t i = 0; i < old.size(); ++i) nextFree[i] = i;
  std::vector<size_t> partner(after.size(), kNone);
  for (size_t i = 0; i < after.size(); ++i) {
    const MatchKey key = matchKey(after[i]);
    auto first = std::lower_bound(old.begin(), old.end(), key,
                                  [](const std::pair<MatchKey, size_t>& entry, const MatchKey& k) { return entry.first < k; });
    if (first == old.end() || first->first != key) continue;
    size_t& free = nextFree[size_t(first - old.begin())];
    if (free < old.size() && old[free].first == key) partner[i] = old[free++].second;
  }
  return partner;
}

}  // namespace

bool readStoredClients(sqlite3* db, std::vector<StoredClient>& out, std::string& reason) {
  out.clear();
  SqliteQuery query(db, "select * from cs_client_info");
  // A table without one of the columns reads it as empty: the import's own
  // INSERT is what fails on such a table, as it always did.
  std::array<int, std::tuple_size_v<StoredClient>> columnOf;
  columnOf.fill(-1);
  for (int c = 0; c < query.columnCount(); ++c) {
    std::string name = sqlite3_column_name(query.get(), c);
    for (char& ch : name)
      if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    for (size_t k = 0; k < columnOf.size(); ++k)
      if (name == kStoredColumnNames[k] && columnOf[k] < 0) columnOf[k] = c;
  }
  while (query.next()) {
    StoredClient client;
    for (size_t k = 0; k < client.size(); ++k)
      if (columnOf[k] >= 0) client[k] = query.text(columnOf[k]);
    out.push_back(std::move(client));
  }
  if (!query.failed()) return true;
  reason = sqliteReason(db);
  out.clear();
  return false;
}

ChangeSummary summarizeChanges(std::vector<StoredClient> before, std::vector<StoredClient> after) {
  const std::vector<size_t> partner = matchOldRows(before, after);
  ChangeSummary summary;
  std::vector<bool> matched(before.size(), false);
  // The added rows are moved to the front of `after` in their order, the
  // removed ones to the front of `before`: the lists are handed over, not copied.
  size_t added = 0;
  for (size_t i = 0; i < after.size(); ++i) {
    if (partner[i] == size_t(-1)) {
      if (added != i) after[added] = std::move(after[i]);
      ++added;
      continue;
    }
    StoredClient& old = before[partner[i]];
    matched[partner[i]] = true;
    if (old == after[i])
      ++summary.unchanged;
    else
      summary.changed.emplace_back(std::move(old), std::move(after[i]));
  }
  after.resize(added);
  summary.added = std::move(after);
  size_t removed = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    if (matched[i]) continue;
    if (removed != i) before[removed] = std::move(before[i]);
    ++removed;
  }
  before.resize(removed);
  summary.removed = std::move(before);
  return summary;
}

std::string changeLine(const ChangeSummary& s) {
  return "新增 " + std::to_string(s.added.size()) + " 台 删除 " + std::to_string(s.removed.size()) + " 台 修改 " +
         std::to_string(s.changed.size()) + " 台 未变 " + std::to_string(s.unchanged) + " 台";
}

std::string savedLine(const std::string& copyPath) { return "原列表已保存到 " + copyPath; }

}  // namespace tl
