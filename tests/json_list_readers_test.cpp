#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/text_codec.h"
#include "readers/json_client_list.h"
#include "readers/shun_clt_list_reader.h"
#include "readers/xinyou_json_list_reader.h"
#include "readers/xinyou_txt_list_reader.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

using test::TempDir;
using test::TestApp;

// TestApp's machine: mask 255.255.255.0, gateway 192.168.1.1, DNS 10.0.0.1,10.0.0.2.
ClientRow localRow(const char* number, const char* name, const char* ip, const char* mac) {
  return {number, name, ip, mac, "255.255.255.0", "192.168.1.1", "10.0.0.1", "10.0.0.2"};
}

std::vector<ClientRow> gridRows(const ClientGrid& grid) {
  std::vector<ClientRow> rows;
  for (int i = 0; i < grid.rowCount(); ++i) rows.push_back(grid.row(i));
  return rows;
}

const char* const kXinyouTxt =
    R"({"produce":"hintsoft","version":"2.1","macList":[)"
    R"({"pc":"网吧01","ip":"192.168.1.101","mac":"00:1a:2b:3c:4d:5e","netMk":"255.255.0.0",)"
    R"("netGW":"192.168.0.1","dns1":"114.114.114.114","dns2":""},)"
    R"({"pc":"乗02","ip":"192.168.1.102","mac":"aa:bb:cc:dd:ee:ff","netMk":"255.255.255.0",)"
    R"("netGW":"192.168.1.254","dns1":"8.8.8.8","dns2":"8.8.4.4"}]})";

const char* const kXinyouJson =
    R"({"produce":"hintsoft","PcList":[)"
    R"({"name":"PC01","ip":"10.1.1.1","mac":"00:1a:2b:3c:4d:5e"},)"
    R"({"ip":"10.1.1.2","mac":"0a-0b-0c-0d-0e-0f","name":"收银台"},)"
    R"({"name":"PC03","ip":"10.1.1.3","mac":"AA:BB:CC:DD:EE:FF"}]})";

// The 顺无盘 list in UTF-8, made from GBK text.
std::string shunList(const std::string& gbkJson, bool byteOrderMark) {
  return (byteOrderMark ? "\xEF\xBB\xBF" : "") + platform::gbkToUtf8(gbkJson);
}

const char* const kShun =
    R"({"macList":[{"pc":"汀澜一号","ip":"172.16.0.11","mac":"00:e0:4c:68:01:02"},)"
    R"({"pc":"二号机","ip":"172.16.0.12","mac":"00:e0:4c:68:01:03"}]})";

TEST(JsonListReaders, DetectedAndReadEndToEnd) {
  struct Case {
    const char* label;
    std::string bytes;
    const char* type;
    std::vector<ClientRow> rows;
  };
  const std::vector<ClientRow> shunRows = {
      localRow("1", "汀澜一号", "172.16.0.11", "00-E0-4C-68-01-02"),
      localRow("2", "二号机", "172.16.0.12", "00-E0-4C-68-01-03"),
  };
  const Case cases[] = {
      {"xinyou txt",
       kXinyouTxt,
       "信佑TXT列表",
       {
           {"1", "网吧01", "192.168.1.101", "00-1A-2B-3C-4D-5E", "255.255.0.0", "192.168.0.1", "114.114.114.114", ""},
           {"2", "乗02", "192.168.1.102", "AA-BB-CC-DD-EE-FF", "255.255.255.0", "192.168.1.254", "8.8.8.8", "8.8.4.4"},
       }},
      {"xinyou json",
       kXinyouJson,
       "信佑JSON列表",
       {
           localRow("1", "PC01", "10.1.1.1", "00-1A-2B-3C-4D-5E"),
           localRow("2", "收银台", "10.1.1.2", "0A-0B-0C-0D-0E-0F"),
           localRow("3", "PC03", "10.1.1.3", "AA-BB-CC-DD-EE-FF"),
       }},
      {"xinyou json, garbage after a NUL", kXinyouJson + std::string(1, '\0') + "]]garbage",
       "信佑JSON列表",
       {
           localRow("1", "PC01", "10.1.1.1", "00-1A-2B-3C-4D-5E"),
           localRow("2", "收银台", "10.1.1.2", "0A-0B-0C-0D-0E-0F"),
           localRow("3", "PC03", "10.1.1.3", "AA-BB-CC-DD-EE-FF"),
       }},
      {"shun utf-8", shunList(kShun, false), "顺无盘CLT列表", shunRows},
      {"shun utf-8 with bom", shunList(kShun, true), "顺无盘CLT列表", shunRows},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    TestApp app;
    std::string path = dir.write("list.txt", c.bytes);
    EXPECT_EQ(app.converter.openDropped(path), c.type);
    EXPECT_EQ(gridRows(app.grid()), c.rows);
    EXPECT_EQ(app.grid().status(kCountField), countFieldText(long(c.rows.size())));
    EXPECT_EQ(app.grid().status(kTypeField), std::string("列表类型: ") + c.type);
    EXPECT_TRUE(app.ui.messages.empty());
  }
}

class CountWatcher : public GridObserver {
 public:
  explicit CountWatcher(const ClientGrid& grid) : grid_(grid) {}
  void statusChanged(int part) override {
    if (part == kCountField) rowsWhenCounted.push_back(grid_.rowCount());
  }
  std::vector<int> rowsWhenCounted;

 private:
  const ClientGrid& grid_;
};

TEST(JsonListReaders, CountFieldIsWrittenOnceBeforeTheRows) {
  TempDir dir;
  TestApp app;
  CountWatcher watcher(app.grid());
  app.grid().setObserver(&watcher);
  ReaderContext context = app.context();
  readXinyouJsonList(context, dir.write("list.txt", kXinyouJson));
  EXPECT_EQ(watcher.rowsWhenCounted, std::vector<int>{0});
  EXPECT_EQ(app.grid().rowCount(), 3);
  EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 3");
  app.grid().setObserver(nullptr);
}

TEST(JsonListReaders, UnreadableListsGiveNoRowsAndNoMessage) {
  struct Case {
    const char* label;
    ListReader reader;
    std::optional<std::string> bytes;  // nullopt: no file
  };
  const Case cases[] = {
      {"missing file", readXinyouTxtList, std::nullopt},
      {"missing file", readShunCltList, std::nullopt},
      {"empty file", readXinyouJsonList, ""},
      {"not json", readXinyouTxtList, "produce hintsoft macList"},
      {"trailing comma", readXinyouTxtList, R"({"produce":"hintsoft","macList":[{"pc":"A"},]})"},
      {"trailing comma", readShunCltList, R"({"macList":[{"pc":"A"}],})"},
      {"comment", readXinyouJsonList, "{\"PcList\":[{\"name\":\"A\"}] // hintsoft produce\n}"},
      {"single quotes", readShunCltList, R"({'macList':[{'pc':'A'}]})"},
      {"cut at a NUL", readXinyouJsonList, std::string("{\"PcList\":[{\"name\":\"A\"}\0]}", 26)},
      {"array under another name", readXinyouJsonList, R"({"produce":"hintsoft","pclist":[{"name":"A"}]})"},
      {"array of the other format", readXinyouTxtList, R"({"produce":"hintsoft","PcList":[{"name":"A"}]})"},
      {"empty array", readShunCltList, R"({"macList":[]})"},
      {"array is a string", readShunCltList, R"({"macList":"abc"})"},
      {"array is an object", readXinyouTxtList, R"({"macList":{"0":{"pc":"A"},"length":1}})"},
      {"top level is the array", readShunCltList, R"([{"pc":"A"}])"},
      {"too deep", readShunCltList, "{\"macList\":" + std::string(200000, '[') + std::string(200000, ']') + "}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    TestApp app;
    app.grid().setCell(app.grid().appendRow("1"), kColName, "earlier list");
    app.grid().setStatus(kCountField, countFieldText(1));
    std::string path = dir.file("list.txt");
    if (c.bytes) dir.write("list.txt", *c.bytes);
    ReaderContext context = app.context();
    c.reader(context, path);
    EXPECT_EQ(app.grid().rowCount(), 0);
    EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 0");
    EXPECT_TRUE(app.ui.messages.empty());
  }
}

TEST(JsonListReaders, MissingMembersAndNonStringValues) {
  TempDir dir;
  TestApp app;
  ReaderContext context = app.context();
  readXinyouTxtList(context, dir.write("list.txt",
                                       R"({"macList":[{"pc":101,"ip":true,"netMk":null,"dns1":1.5,"dns2":{}},)"
                                       R"({},"not an object",7]})"));
  const std::vector<ClientRow> expected = {
      {"1", "101", "true", "", "", "", "1.5", ""},
      {"2", "", "", "", "", "", "", ""},
      {"3", "", "", "", "", "", "", ""},
      {"4", "", "", "", "", "", "", ""},
  };
  EXPECT_EQ(gridRows(app.grid()), expected);
  EXPECT_EQ(app.grid().status(kCountField), "客户机总数: 4");
}

TEST(JsonListReaders, ShunListTextsThroughUtf8) {
  struct Case {
    const char* label;
    std::string utf8Name;
    const char* gbkName;
  };
  const Case cases[] = {
      {"chinese", platform::gbkToUtf8("汀澜网吧（一）"), "汀澜网吧（一）"},
      {"escaped", "\\u6c40\\u6f9c", "汀澜"},
      {"not in gbk", "PC\xED\x95\x9C", "PC?"},  // Hangul
      {"not utf-8", "PC\xFF", "PC?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    TestApp app;
    ReaderContext context = app.context();
    readShunCltList(context, dir.write("list.txt", "\xEF\xBB\xBF{\"macList\":[{\"pc\":\"" + c.utf8Name + "\"}]}"));
    ASSERT_EQ(app.grid().rowCount(), 1);
    EXPECT_EQ(app.grid().cell(0, kColName), c.gbkName);
  }
}

TEST(JsonListReaders, MacRule) {
  struct Case {
    const char* mac;
    const char* shown;
  };
  const Case cases[] = {
      {"00:1a:2b:3c:4d:5e", "00-1A-2B-3C-4D-5E"},
      {"001a2b3c4d5e", "001A2B3C4D5E"},
      {"00-1a-2b", "00-1A-2B"},
      {"", ""},
      {"网卡:ab", "网卡-AB"},
      // A byte after a lead byte is part of its character: neither turned
      // into "-" nor into a capital.
      {"\xB0" "a:b", "\xB0" "a-B"},
      {"\x81:a", "\x81:A"},
      {"a:\xB0", "A-\xB0"},
  };
  for (const Case& c : cases) EXPECT_EQ(jsonListMac(c.mac), c.shown) << c.mac;
}

}  // namespace
}  // namespace tl
