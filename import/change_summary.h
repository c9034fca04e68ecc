#pragma once
// What an import changes in cs_client_info, rows matched by MAC: added,
// removed, changed (another imported column differs) and unchanged clients.
#include <string>
#include <utility>
#include <vector>

#include "import/stored_client.h"

struct sqlite3;

namespace tl {

struct ChangeSummary {
  std::vector<StoredClient> added, removed;
  std::vector<std::pair<StoredClient, StoredClient>> changed;  // before, after
  int unchanged = 0;
};

// The imported columns of every row of cs_client_info. False when the
// table cannot be read (`reason` then holds SQLite's text, GBK).
bool readStoredClients(sqlite3* db, std::vector<StoredClient>& out, std::string& reason);

// Takes both lists: their rows move into the summary.
ChangeSummary summarizeChanges(std::vector<StoredClient> before, std::vector<StoredClient> after);

// "新增 A 台 删除 B 台 修改 C 台 未变 D 台".
std::string changeLine(const ChangeSummary& summary);

// "原列表已保存到 " and the copy's path.
std::string savedLine(const std::string& copyPath);

}  // namespace tl
