#include "readers/database_read_sequence.h"

#include "data/sqlite/sqlite_record_set.h"

namespace tl {

std::string DatabaseRow::operator[](const std::string& column) const {
  std::string value;
  if (operation_ == ReadOperation::Text)
    records_.readText(column, value);
  else
    records_.readBytes(column, value);
  return value;
}

void readDatabaseList(ReaderContext& context, const std::string& path, const std::string& selectSql,
                      ReadOperation operation, const DatabaseRowHandler& handleRow) {
  context.grid.clear();
  SqliteConnection& connection = context.connection;
  if (!connection.open(path, "")) {
    context.ui.showMessage("打开指定数据库失败！", "信息：", MessageIcon::None);
    return;
  }
  SqliteRecordSet records;
  records.setStepCallback([&context] { context.ui.processPendingMessages(); });
  if (!records.attach(connection)) {
    context.ui.showMessage("置数据库连接失败！", "信息：", MessageIcon::None);
    connection.close();
    return;
  }
  if (!records.query(selectSql)) {
    std::string reason = connection.lastError();
    records.close();
    connection.close();
    context.ui.showMessage(reason, "提示", MessageIcon::Error);
    return;
  }
  const int32_t count = records.recordCount();
  DatabaseRow row(records, operation);
  int number = 0;
  for (int32_t i = 0; i < count; ++i) {
    handleRow(row, ++number);
    records.next();
  }
  context.grid.setStatus(kCountField, countFieldText(number));
  records.close();
  connection.close();
}

}  // namespace tl
