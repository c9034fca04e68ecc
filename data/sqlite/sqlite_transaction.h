#pragma once
// A write transaction over a SqliteConnection: begins in the constructor and
// rolls back in the destructor unless commit() succeeded, so an early return
// or a failure half-way leaves the database as it was.
namespace tl {

class SqliteConnection;

class SqliteTransaction {
 public:
  // Begins with the write lock taken at once ("begin immediate"): a database
  // that another connection is writing fails here, before anything changed.
  explicit SqliteTransaction(SqliteConnection& connection);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;

  bool begun() const { return active_; }

  // True when the changes are committed. On failure the transaction stays
  // open and is rolled back by rollback() or the destructor.
  bool commit();
  void rollback();

 private:
  SqliteConnection& connection_;
  bool active_ = false;
};

}  // namespace tl
