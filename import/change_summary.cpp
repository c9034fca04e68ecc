#include "import/change_summary.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include <sqlite3.h>

#include "import/import_check.h"
#include "import/sqlite_query.h"

namespace tl {
namespace {

constexpr const char* kStoredColumnNames[] = {"client_name", "client_mac", "client_ip", "client_mask",
                                             "client_gate_way", "client_dns1", "client_dns2", "client_group_name"};

// Twelve hex digits when the MAC is one, else the stored text as it is, so
// that two rows with one odd MAC still meet.
std::string matchKey(const StoredClient& client) {
  std::string mac = normalizedMac(client[kStoredMac]);
  return mac.empty() ? "?" + client[kStoredMac] : mac;
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

ChangeSummary summarizeChanges(const std::vector<StoredClient>& before, const std::vector<StoredClient>& after) {
  // Each old row meets the first new row with its MAC that is still free.
  std::multimap<std::string, size_t> unmatchedOld;
  for (size_t i = 0; i < before.size(); ++i) unmatchedOld.emplace(matchKey(before[i]), i);
  ChangeSummary summary;
  for (const StoredClient& client : after) {
    auto it = unmatchedOld.find(matchKey(client));
    if (it == unmatchedOld.end()) {
      summary.added.push_back(client);
      continue;
    }
    const StoredClient& old = before[it->second];
    unmatchedOld.erase(it);
    if (old == client)
      ++summary.unchanged;
    else
      summary.changed.push_back({old, client});
  }
  std::vector<size_t> removedIndexes;
  for (const auto& [key, index] : unmatchedOld) removedIndexes.push_back(index);
  std::sort(removedIndexes.begin(), removedIndexes.end());
  for (size_t index : removedIndexes) summary.removed.push_back(before[index]);
  return summary;
}

std::string changeLine(const ChangeSummary& s) {
  return "新增 " + std::to_string(s.added.size()) + " 台 删除 " + std::to_string(s.removed.size()) + " 台 修改 " +
         std::to_string(s.changed.size()) + " 台 未变 " + std::to_string(s.unchanged) + " 台";
}

std::string savedLine(const std::string& copyPath) { return "原列表已保存到 " + copyPath; }

}  // namespace tl
