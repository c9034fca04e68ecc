#include "readers/database_read_sequence.h"

#include "data/sqlite/sqlite_statement.h"

namespace tl {

int DatabaseRow::columnIndex(std::string_view column) const {
  const size_t known = indices_.size();
  for (size_t n = 0, i = next_; n < known; ++n, i = i + 1 < known ? i + 1 : 0)
    if (indices_[i].first == column) {
      next_ = i + 1 < known ? i + 1 : 0;
      return indices_[i].second;
    }
  int index = rows_.columnIndex(std::string(column));
  indices_.emplace_back(column, index);
  return index;
}

std::optional<int64_t> DatabaseRow::integer(std::string_view column) const {
  return rows_.columnInteger(columnIndex(column));
}

std::string DatabaseRow::operator[](std::string_view column) const {
  int index = columnIndex(column);
  return operation_ == ReadOperation::Text ? rows_.columnText(index) : rows_.columnBytes(index);
}

void readDatabaseList(ReaderContext& context, const std::string& path, std::string_view select,
                      ReadOperation operation, const DatabaseRowHandler& handleRow) {
  context.grid.clear();
  SqliteConnection& connection = context.connection;
  if (!connection.open(path)) {
    context.ui.showMessage("打开指定数据库失败！", "信息：", MessageIcon::None);
    return;
  }
  // The statement needs the connection's handle; an open connection always
  // holds one, so this message is kept for a handle that went missing.
  if (!connection.isOpen()) {
    context.ui.showMessage("置数据库连接失败！", "信息：", MessageIcon::None);
    return;
  }
  int number = 0;
  {
    SqliteStatement rows(connection, std::string(select));
    bool onRow = rows.executeStep();
    if (!onRow && !rows.done()) {
      std::string reason = connection.lastError();
      connection.close();
      context.ui.showMessage(reason, "提示", MessageIcon::Error);
      return;
    }
    DatabaseRow row(rows, operation);
    // One pass: a step that fails half-way ends the list where it stands.
    for (; onRow; onRow = rows.executeStep()) {
      handleRow(row, ++number);
      context.ui.processPendingMessages();
    }
  }
  context.grid.setStatus(kCountField, countFieldText(number));
  connection.close();
}

}  // namespace tl
