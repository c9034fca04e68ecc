#pragma once
// One statement over a SqliteConnection with a current row that the caller
// moves forward and reads column by column, by exact column name.
#include <cstdint>
#include <functional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tl {

class SqliteConnection;

class SqliteRecordSet {
 public:
  static constexpr int32_t kNoRow = -1;     // before the first row, or after a failure
  static constexpr int32_t kPastEnd = -2;   // moved past the last row

  SqliteRecordSet() = default;
  ~SqliteRecordSet() { close(); }
  SqliteRecordSet(const SqliteRecordSet&) = delete;
  SqliteRecordSet& operator=(const SqliteRecordSet&) = delete;

  // Called after every row step, so that the window can process its pending
  // messages while a long result is walked.
  void setStepCallback(std::function<void()> callback) { onStep_ = std::move(callback); }

  // Uses the connection's handle (not owned); false when it holds none.
  bool attach(const SqliteConnection& connection);

  // Prepares and runs one complete statement (GBK) and stands on its first
  // row. True when the first step gave a row or the end of the rows.
  bool query(const std::string& sql);

  int32_t recordCount() const { return rowCount_; }
  int32_t currentRow() const { return currentRow_; }
  bool goTo(int32_t row);
  bool next() { return goTo(currentRow_ + 1); }

  // The column's value in the current row. False when the column does not
  // exist or no statement is present; the value is then empty. A NULL is
  // empty too.
  bool readText(const std::string& column, std::string& value);   // UTF-8 converted to GBK
  bool readBytes(const std::string& column, std::string& value);  // as stored, up to the first NUL

  void close();

 private:
  int columnIndex(const std::string& name) const;
  bool stepAndNotify();

  sqlite3* db_ = nullptr;
  sqlite3_stmt* statement_ = nullptr;
  int32_t currentRow_ = kNoRow;
  int32_t rowCount_ = kNoRow;
  std::function<void()> onStep_;
};

}  // namespace tl
