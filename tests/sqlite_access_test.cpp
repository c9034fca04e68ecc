#include <gtest/gtest.h>

#include "data/sqlite/sqlite_connection.h"
#include "data/sqlite/sqlite_record_set.h"
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

  EXPECT_FALSE(connection.open(dir.write("text.db", "this is a text file, not a database at all\n")));
  EXPECT_FALSE(connection.isOpen());

  // An empty file is an empty database; querying it names the missing table.
  ASSERT_TRUE(connection.open(dir.write("empty.db", "")));
  SqliteRecordSet records;
  ASSERT_TRUE(records.attach(connection));
  EXPECT_FALSE(records.query("select * from cs_client_info"));
  EXPECT_EQ(connection.lastError(), "no such table: cs_client_info");
  records.close();
  connection.close();
  EXPECT_FALSE(connection.isOpen());
}

TEST_F(SqliteAccess, RowPositionsFollowTheStatement) {
  ASSERT_TRUE(connection.open(db));
  EXPECT_EQ(connection.lastError(), "");  // "not an error" reads as empty
  SqliteRecordSet records;
  int steps = 0;
  records.setStepCallback([&] { ++steps; });
  ASSERT_TRUE(records.attach(connection));
  ASSERT_TRUE(records.query("select * from t"));
  EXPECT_EQ(records.recordCount(), 3);
  EXPECT_EQ(records.currentRow(), 0);
  std::string v;
  records.readBytes("ip", v);
  EXPECT_EQ(v, "a");
  EXPECT_TRUE(records.next());
  EXPECT_TRUE(records.next());
  records.readBytes("ip", v);
  EXPECT_EQ(v, "\xE6\xB1\x80");  // raw bytes, no conversion
  records.readText("ip", v);
  EXPECT_EQ(v, "汀");  // UTF-8 converted to GBK
  EXPECT_FALSE(records.next());
  EXPECT_EQ(records.currentRow(), SqliteRecordSet::kPastEnd);
  EXPECT_TRUE(records.goTo(0));
  records.readBytes("ip", v);
  EXPECT_EQ(v, "a");
  EXPECT_TRUE(records.goTo(2));
  EXPECT_FALSE(records.goTo(-1));
  EXPECT_EQ(records.currentRow(), SqliteRecordSet::kNoRow);
  EXPECT_GE(steps, 4);
  records.close();
}

TEST_F(SqliteAccess, ReadsByExactColumnName) {
  ASSERT_TRUE(connection.open(db));
  SqliteRecordSet records;
  records.attach(connection);
  ASSERT_TRUE(records.query("select * from t"));
  std::string v = "stale";
  EXPECT_FALSE(records.readText("IP", v));  // case counts
  EXPECT_EQ(v, "");
  EXPECT_TRUE(records.readBytes("n", v));
  EXPECT_EQ(v, "1");  // an integer comes back in decimal
  EXPECT_TRUE(records.readBytes("b", v));
  EXPECT_EQ(v, "A");  // up to the first zero byte
  EXPECT_TRUE(records.readBytes("nul", v));
  EXPECT_EQ(v, "");
  records.next();
  records.readBytes("n", v);
  EXPECT_EQ(v, "22");
}

TEST_F(SqliteAccess, EmptyResultAndFailedQuery) {
  ASSERT_TRUE(connection.open(db));
  SqliteRecordSet records;
  records.attach(connection);
  ASSERT_TRUE(records.query("select * from empty"));
  EXPECT_EQ(records.recordCount(), 0);
  EXPECT_FALSE(records.next());
  EXPECT_FALSE(records.query("select * from nowhere"));
  EXPECT_EQ(connection.lastError(), "no such table: nowhere");
  std::string v = "x";
  EXPECT_FALSE(records.readBytes("ip", v));
  records.close();
  SqliteRecordSet unattached;
  EXPECT_FALSE(unattached.attach(SqliteConnection{}));
  EXPECT_FALSE(unattached.query("select 1"));
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
