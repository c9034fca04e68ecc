#include <gtest/gtest.h>

#include "data/sqlite/sqlite_connection.h"
#include "data/sqlite/sqlite_statement.h"
#include "tests/support/sqlite_fixture.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;

class SqliteAccess : public testing::Test {
 protected:
  void SetUp() override {
    db = dir.file("list.db");
    ASSERT_EQ(test::makeDatabase(db,
                                 "create table t(ip text, n integer, b blob, nul text);"
                                 "insert into t values('a', 1, x'41004243', null);"
                                 "insert into t values('b', 22, x'', null);"
                                 "insert into t values('\xE6\xB1\x80', 333, null, null);"
                                 "create table empty(x);"),
              "");
  }
  TempDir dir;
  std::string db;
  SqliteConnection connection;
};

TEST_F(SqliteAccess, OpenNeverCreatesAndRejectsNonDatabases) {
  EXPECT_FALSE(connection.open(dir.file("missing.db")));
  EXPECT_FALSE(connection.isOpen());
  EXPECT_FALSE(test::readAll(dir.file("missing.db")).size());

  const std::string text = dir.write("text.db", "this is a text file, not a database at all\n");
  EXPECT_FALSE(connection.open(text));
  EXPECT_FALSE(connection.isOpen());
  // Unchecked, it opens; its statements fail.
  ASSERT_TRUE(connection.open(text, SqliteConnection::Check::None));
  SqliteStatement probe(connection, "select * from t");
  EXPECT_FALSE(probe.executeStep());
  EXPECT_FALSE(probe.done());
  connection.close();

  // An empty file is an empty database; querying it names the missing table.
  ASSERT_TRUE(connection.open(dir.write("empty.db", "")));
  SqliteStatement rows(connection, "select * from cs_client_info");
  EXPECT_FALSE(rows.prepared());
  EXPECT_FALSE(rows.executeStep());
  EXPECT_FALSE(rows.done());
  EXPECT_EQ(connection.lastError(), "no such table: cs_client_info");
  connection.close();
  EXPECT_FALSE(connection.isOpen());
}

TEST_F(SqliteAccess, StepsOncePerRowToTheEnd) {
  ASSERT_TRUE(connection.open(db));
  EXPECT_EQ(connection.lastError(), "");  // "not an error" reads as empty
  SqliteStatement rows(connection, "select * from t");
  const int ip = rows.columnIndex("ip");
  ASSERT_TRUE(rows.executeStep());
  EXPECT_EQ(rows.columnBytes(ip), "a");
  ASSERT_TRUE(rows.executeStep());
  ASSERT_TRUE(rows.executeStep());
  EXPECT_EQ(rows.columnBytes(ip), "\xE6\xB1\x80");  // raw bytes, no conversion
  EXPECT_EQ(rows.columnText(ip), "汀");               // UTF-8 converted to GBK
  EXPECT_FALSE(rows.executeStep());
  EXPECT_TRUE(rows.done());
  EXPECT_FALSE(rows.executeStep());  // stays at the end
  EXPECT_TRUE(rows.done());
}

TEST_F(SqliteAccess, ReadsByExactColumnName) {
  ASSERT_TRUE(connection.open(db));
  SqliteStatement rows(connection, "select * from t");
  ASSERT_TRUE(rows.executeStep());
  EXPECT_EQ(rows.columnIndex("IP"), -1);  // case counts
  EXPECT_EQ(rows.columnText(-1), "");
  EXPECT_EQ(rows.columnBytes(-1), "");
  EXPECT_EQ(rows.columnBytes(rows.columnIndex("n")), "1");  // an integer comes back in decimal
  EXPECT_EQ(rows.columnBytes(rows.columnIndex("b")), "A");  // up to the first zero byte
  EXPECT_EQ(rows.columnBytes(rows.columnIndex("nul")), "");
  EXPECT_EQ(rows.columnText(rows.columnIndex("nul")), "");
  ASSERT_TRUE(rows.executeStep());
  EXPECT_EQ(rows.columnBytes(rows.columnIndex("n")), "22");
  EXPECT_EQ(rows.columnBytes(rows.columnIndex("b")), "");  // an empty blob
}

TEST_F(SqliteAccess, EmptyResultAndFailedPrepare) {
  ASSERT_TRUE(connection.open(db));
  SqliteStatement empty(connection, "select * from empty");
  EXPECT_FALSE(empty.executeStep());
  EXPECT_TRUE(empty.done());
  SqliteStatement missing(connection, "select * from nowhere");
  EXPECT_FALSE(missing.executeStep());
  EXPECT_FALSE(missing.done());
  EXPECT_EQ(connection.lastError(), "no such table: nowhere");
  EXPECT_EQ(missing.columnIndex("ip"), -1);
  EXPECT_EQ(missing.columnBytes(0), "");
  SqliteConnection closed;
  SqliteStatement unprepared(closed, "select 1");
  EXPECT_FALSE(unprepared.prepared());
  EXPECT_FALSE(unprepared.executeStep());
}

TEST_F(SqliteAccess, ExecuteConvertsAndExecuteRawPassesBytes) {
  ASSERT_TRUE(connection.open(db));
  ASSERT_TRUE(connection.execute("create table names(n text); insert into names values('汀澜');"));
  ASSERT_TRUE(connection.executeRaw("insert into names values('汀澜');"));
  EXPECT_FALSE(connection.execute("insert into nowhere values(1)"));
  EXPECT_EQ(connection.lastError(), "no such table: nowhere");
  connection.close();
  auto rows = test::queryRows(db, "select n from names");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], "\xE6\xB1\x80\xE6\xBE\x9C");  // stored as UTF-8
  EXPECT_EQ(rows[1][0], "汀澜");                       // stored as GBK bytes
}

}  // namespace
}  // namespace tl
