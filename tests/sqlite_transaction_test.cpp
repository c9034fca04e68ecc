#include <gtest/gtest.h>

#include <sqlite3.h>

#include "data/sqlite/sqlite_connection.h"
#include "data/sqlite/sqlite_statement.h"
#include "data/sqlite/sqlite_transaction.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;

class SqliteWrites : public testing::Test {
 protected:
  void SetUp() override {
    db = dir.file("w.db");
    ASSERT_EQ(test::makeDatabase(db, "create table t(a text, b text unique);"
                                     "insert into t values('old','0');"),
              "");
    ASSERT_TRUE(connection.open(db));
  }
  std::vector<std::vector<std::string>> rows() { return test::queryRows(db, "select a, b from t order by rowid"); }

  TempDir dir;
  std::string db;
  SqliteConnection connection;
};

TEST_F(SqliteWrites, BoundBytesAreStoredExactly) {
  SqliteStatement insert(connection, "insert into t(a, b) values(?, ?)");
  ASSERT_TRUE(insert.prepared());
  struct Case {
    std::string a, b;
  };
  const Case cases[] = {
      {"x'); drop table t; --", "1"},  // a value cannot end the statement
      {"'';'", "2"},
      {"默认分组", "3"},              // GBK bytes, not converted
      {"", "4"},                      // the empty text, not NULL
      {std::string("a\0b", 3), "5"},  // every byte, a zero too
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(insert.bindBytes(1, c.a));
    ASSERT_TRUE(insert.bindBytes(2, c.b));
    ASSERT_TRUE(insert.execute()) << connection.lastError();
  }
  // Bindings are cleared after each run: an unbound parameter is NULL.
  ASSERT_TRUE(insert.bindBytes(2, "6"));
  ASSERT_TRUE(insert.execute());
  connection.close();
  auto stored = rows();
  ASSERT_EQ(stored.size(), 7u);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(stored[i + 1][0], cases[i].a);
    EXPECT_EQ(stored[i + 1][1], cases[i].b);
  }
  EXPECT_EQ(stored[6][0], "<NULL>");
}

TEST_F(SqliteWrites, FailuresAreReportedNotThrown) {
  SqliteStatement bad(connection, "insert into nowhere values(?)");
  EXPECT_FALSE(bad.prepared());
  EXPECT_EQ(connection.lastError(), "no such table: nowhere");
  EXPECT_FALSE(bad.bindBytes(1, "x"));
  EXPECT_FALSE(bad.execute());

  SqliteStatement insert(connection, "insert into t(b) values(?)");
  ASSERT_TRUE(insert.bindBytes(1, "0"));
  EXPECT_FALSE(insert.execute());  // the unique b
  EXPECT_EQ(connection.lastError(), "UNIQUE constraint failed: t.b");
  ASSERT_TRUE(insert.bindBytes(1, "9"));
  EXPECT_TRUE(insert.execute());  // usable again after a failure
  EXPECT_FALSE(insert.bindBytes(2, "x"));  // no such parameter

  SqliteConnection closed;
  SqliteStatement none(closed, "select 1");
  EXPECT_FALSE(none.prepared());
}

TEST_F(SqliteWrites, TransactionRollsBackUnlessCommitted) {
  {
    SqliteTransaction transaction(connection);
    ASSERT_TRUE(transaction.begun());
    ASSERT_TRUE(connection.execute("delete from t; insert into t values('new','1');"));
  }  // left without commit: an early return, a failure half-way
  EXPECT_TRUE(sqlite3_get_autocommit(connection.handle()));
  connection.close();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"old", "0"}}));

  ASSERT_TRUE(connection.open(db));
  {
    SqliteTransaction transaction(connection);
    ASSERT_TRUE(connection.execute("delete from t; insert into t values('new','1');"));
    EXPECT_TRUE(transaction.commit());
    EXPECT_FALSE(transaction.begun());
    EXPECT_FALSE(transaction.commit());
  }
  connection.close();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"new", "1"}}));
}

TEST_F(SqliteWrites, FailedCommitStillRollsBack) {
  ASSERT_TRUE(connection.execute("pragma foreign_keys=on;"
                                 "create table parent(id integer primary key);"
                                 "create table child(p integer references parent(id) deferrable initially deferred);"));
  {
    SqliteTransaction transaction(connection);
    ASSERT_TRUE(connection.execute("delete from t; insert into child values(42);"));
    EXPECT_FALSE(transaction.commit());  // the deferred key fails only now
    EXPECT_TRUE(transaction.begun());
  }
  EXPECT_TRUE(sqlite3_get_autocommit(connection.handle()));
  connection.close();
  EXPECT_EQ(rows(), (std::vector<std::vector<std::string>>{{"old", "0"}}));
  EXPECT_TRUE(test::queryRows(db, "select * from child").empty());
}

TEST_F(SqliteWrites, BeginFailsWhileAnotherConnectionWrites) {
  SqliteConnection other;
  ASSERT_TRUE(other.open(db));
  ASSERT_TRUE(other.execute("begin immediate; insert into t values('other','7');"));
  {
    SqliteTransaction transaction(connection);
    EXPECT_FALSE(transaction.begun());
    EXPECT_EQ(connection.lastError(), "database is locked");
    EXPECT_FALSE(transaction.commit());
  }
  ASSERT_TRUE(other.execute("rollback;"));
  SqliteTransaction transaction(connection);
  EXPECT_TRUE(transaction.begun());
}

}  // namespace
}  // namespace tl
