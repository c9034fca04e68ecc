#pragma once
// The write step that the import and the restore share: in one write
// transaction, keep a copy of cs_client_info, note what changes, replace the
// rows, commit; then the closing messages and the service restart.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "import/change_summary.h"
#include "import/client_import.h"
#include "import/import_context.h"

namespace tl {

// The 汀澜 server may hold the database for a moment while it writes; wait
// that long for it, then fail with "database is locked" rather than hang.
inline constexpr int kTargetBusyTimeoutMs = 1000;

// The wait holds for the import's own use of the shared connection only.
class BusyTimeoutScope {
 public:
  BusyTimeoutScope(SqliteConnection& connection, int milliseconds) : connection_(connection) {
    connection_.setBusyTimeout(milliseconds);
  }
  ~BusyTimeoutScope() { connection_.setBusyTimeout(0); }
  BusyTimeoutScope(const BusyTimeoutScope&) = delete;
  BusyTimeoutScope& operator=(const BusyTimeoutScope&) = delete;

 private:
  SqliteConnection& connection_;
};

// Writes the new rows into the emptied table (`after` is what the table
// will hold); false on a failure.
using RowWriter = std::function<bool(const std::vector<StoredClient>& after)>;

// With the shared connection open on the target: the whole replacement, then
// the connection is closed, the messages shown and the service restarted.
// `after` is what the table will hold; its rows end in the change summary.
ImportResult replaceClientTable(ImportContext& context, const ImportOptions& options,
                                std::vector<StoredClient> after, const RowWriter& writeRows);

}  // namespace tl
