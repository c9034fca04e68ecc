// The JSON list reader reads the client array in one pass over the parser's
// events. Here it is held to the document walk it replaced (JsonAccess's
// member, element and text, as the reader used them) on awkward texts and
// on random changes of a small list: the same grid, row numbers, count
// field and questions to the machine, every time.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "data/json/json_access.h"
#include "data/json/json_object_list.h"
#include "readers/json_client_list.h"
#include "readers/local_client_row.h"
#include "tests/support/fake_platform.h"

namespace tl {
namespace {

using test::TestApp;

// The reader as it was: parse into a document, then walk it.
void readThroughDocument(ReaderContext& context, std::string_view text, const JsonClientListFormat& format) {
  JsonAccess json;
  ClientGrid& grid = context.grid;
  grid.clear();
  JsonValue clients = json.parse(text).member(format.arrayMember);
  const int count = clients.length();
  grid.setStatus(kCountField, countFieldText(count));
  const std::string_view names[] = {format.nameMember, "ip", "mac", "netMk", "netGW", "dns1", "dns2"};
  JsonValue values[std::size(names)];
  for (int i = 1; i <= count; ++i) {
    clients.element(i - 1).members(names, values);
    std::string name = values[0].text();
    std::string ip = values[1].text();
    std::string mac = jsonListMac(values[2].text());
    if (!format.carriesNetwork) {
      appendClientOnLocalNetwork(grid, context.network, i, {std::move(name), std::move(ip), std::move(mac)});
      continue;
    }
    int row = grid.appendRow(std::to_string(i));
    grid.setCell(row, kColName, std::move(name));
    grid.setCell(row, kColIp, std::move(ip));
    grid.setCell(row, kColMac, std::move(mac));
    grid.setCell(row, kColMask, values[3].text());
    grid.setCell(row, kColGateway, values[4].text());
    grid.setCell(row, kColDns1, values[5].text());
    grid.setCell(row, kColDns2, values[6].text());
  }
}

struct Outcome {
  std::vector<ClientRow> rows;
  std::string count;
  int networkQuestions;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* out) {
  *out << outcome.count << ", " << outcome.networkQuestions << " questions:";
  for (const ClientRow& row : outcome.rows) {
    *out << "\n ";
    for (const std::string& cell : row) *out << " [" << cell << "]";
  }
}

using Reader = void (*)(ReaderContext&, std::string_view, const JsonClientListFormat&);

// A read over an earlier list, so that a refusal has to clear it.
Outcome outcomeOf(Reader reader, std::string_view text, const JsonClientListFormat& format) {
  TestApp app;
  app.grid().setCell(app.grid().appendRow("1"), kColName, "earlier list");
  app.grid().setStatus(kCountField, countFieldText(1));
  ReaderContext context = app.context();
  reader(context, text, format);
  Outcome outcome{{}, app.grid().status(kCountField), app.network.calls};
  for (int i = 0; i < app.grid().rowCount(); ++i) outcome.rows.push_back(app.grid().row(i));
  return outcome;
}

const JsonClientListFormat kFormats[] = {
    {.arrayMember = "macList", .nameMember = "pc", .carriesNetwork = true, .utf8File = false},
    {.arrayMember = "macList", .nameMember = "pc", .carriesNetwork = false, .utf8File = false},
};

// Both paths on one text; true when they agree.
bool agree(std::string_view text) {
  for (const JsonClientListFormat& format : kFormats) {
    Outcome onePass = outcomeOf(readJsonClientListText, text, format);
    Outcome document = outcomeOf(readThroughDocument, text, format);
    EXPECT_EQ(onePass, document) << "carries network: " << format.carriesNetwork;
    if (onePass != document) return false;
  }
  return true;
}

// `levels` arrays inside each other around `inner`.
std::string nested(int levels, const std::string& inner = "") {
  return std::string(size_t(levels), '[') + inner + std::string(size_t(levels), ']');
}

TEST(JsonObjectListDifferential, AwkwardTexts) {
  // The root object is depth 1, the array 2, an element 3.
  const int atLimit = kMaxJsonDepth;
  struct Case {
    const char* label;
    std::string text;
  };
  const Case cases[] = {
      {"plain", R"({"produce":"hintsoft","macList":[{"pc":"A","ip":"1.2.3.4","mac":"00:1a:2b","netMk":"m",)"
                R"("netGW":"g","dns1":"d1","dns2":"d2"},{"pc":"B"}]})"},
      {"array member twice", R"({"macList":[{"pc":"A"}],"x":1,"macList":[{"pc":"B"},{"pc":"C"}]})"},
      {"array member twice, the last no array", R"({"macList":[{"pc":"A"}],"macList":5})"},
      {"array member twice, the last an object", R"({"macList":[{"pc":"A"}],"macList":{"pc":"B"}})"},
      {"array member twice, the first no array", R"({"macList":null,"macList":[{"pc":"B"}]})"},
      {"array member an object", R"({"macList":{"0":{"pc":"A"},"length":1}})"},
      {"array member a string", R"({"macList":"[{\"pc\":\"A\"}]"})"},
      {"array member empty", R"({"macList":[]})"},
      {"no array member", R"({"maclist":[{"pc":"A"}],"PcList":[{"pc":"B"}]})"},
      {"array member only deeper", R"({"x":{"macList":[{"pc":"A"}]},"y":[{"macList":[{"pc":"B"}]}]})"},
      {"root an array", R"([{"pc":"A"}])"},
      {"root an array of the object", R"([{"macList":[{"pc":"A"}]}])"},
      {"root a string", R"("macList")"},
      {"root a number", "7"},
      {"elements of every kind", R"({"macList":[1,"s",null,true,false,-2.5,[{"pc":"A"}],[],{},)"
                                 R"({"pc":{"pc":"B"}},{"pc":[1,2],"ip":"x"},{"a":{"pc":"C"},"ip":"y"}]})"},
      {"a member twice", R"({"macList":[{"pc":"A","pc":"B"},{"pc":"A","pc":{}},{"pc":[],"pc":"C"},)"
                         R"({"pc":"A","ip":"1","pc":null}]})"},
      {"numbers", R"({"macList":[{"pc":1,"ip":-1,"mac":18446744073709551615,"netMk":1.5,"netGW":1e2,)"
                  R"("dns1":-0,"dns2":-0.0},{"pc":1e15,"ip":1e300,"mac":123456789012345678901234567890,)"
                  R"("netMk":-9223372036854775808,"netGW":0.1,"dns1":1E-7,"dns2":3.0},)"
                  R"({"pc":999999999999999,"ip":-1e14,"mac":2.5e-300,"netMk":1e-400,"netGW":18446744073709551616,)"
                  R"("dns1":-9223372036854775809,"dns2":0e0}]})"},
      {"true false null", R"({"macList":[{"pc":true,"ip":false,"mac":null,"netMk":"null","dns2":true}]})"},
      {"escapes", R"({"macList":[{"pc":"\u6c40\u6f9c","ip":"\uD55C\uD83D\uDE00","mac":"a\u003Ab:c",)"
                  R"("netMk":"\"\\\/\b\f\n\r\t","netGW":"A\u6c40汀"}]})"},
      {"escaped names", R"({"\u006dacList":[{"\u0070c":"A","i\u0070":"B"}],"mac\u004cist":[{"pc":"C"}]})"},
      {"GBK texts and names", R"({"网吧":1,"macList":[{"汀":"x","pc":"网吧01","ip":"乗","mac":"网卡:ab"}]})"},
      {"GBK stray bytes", "{\"macList\":[{\"pc\":\"\x81\",\"ip\":\"\x81\x5C\",\"mac\":\"\xFF:a\xB0\"}]}"},
      {"empty names", R"({"":[{"pc":"A"}],"macList":[{"":"x","pc":""}]})"},
      {"white space", " \r\n\t{ \"macList\" : [ { \"pc\" : \"A\" } , 2 ] } \n"},
      {"depth at the limit in an element",
       R"({"macList":[{"pc":"A","ip":)" + nested(atLimit - 3) + R"(,"mac":"m"}]})"},
      {"depth one over in an element", R"({"macList":[{"pc":"A","ip":)" + nested(atLimit - 2) + R"(}]})"},
      {"depth at the limit as an element", R"({"macList":[{"pc":"A"},)" + nested(atLimit - 2) + "]}"},
      {"depth one over as an element", R"({"macList":[{"pc":"A"},)" + nested(atLimit - 1) + "]}"},
      {"depth at the limit beside the array", R"({"x":)" + nested(atLimit - 1) + R"(,"macList":[{"pc":"A"}]})"},
      {"depth one over beside the array", R"({"macList":[{"pc":"A"}],"x":)" + nested(atLimit) + "}"},
      {"depth of objects at the limit", R"({"macList":[{"pc":"A","ip":)" + nested(atLimit - 4, R"({"a":1})") + "}]}"},
      {"depth of objects one over", R"({"macList":[{"pc":"A","ip":)" + nested(atLimit - 3, R"({"a":1})") + "}]}"},
      {"trailing garbage", R"({"macList":[{"pc":"A"}]}x)"},
      {"a second value", R"({"macList":[{"pc":"A"}]} {})"},
      {"trailing comma", R"({"macList":[{"pc":"A"},]})"},
      {"cut short", R"({"macList":[{"pc":"A"},{"pc":"B"})"},
      {"not finite after rows", R"({"macList":[{"pc":"A"},{"pc":1e400}]})"},
      {"comment", "{\"macList\":[{\"pc\":\"A\"}] // note\n}"},
      {"NUL byte", std::string("{\"macList\":[{\"pc\":\"A\"}]}\0", 26)},
      {"NUL in a text", std::string("{\"macList\":[{\"pc\":\"A\0B\"}]}", 26)},
      {"empty", ""},
      {"only white space", " \n"},
      {"byte-order mark", "\xEF\xBB\xBF{\"macList\":[{\"pc\":\"A\"}]}"},
      {"too long", R"({"macList":[{"pc":"A"}]})" + std::string(kMaxJsonTextBytes, ' ')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    agree(c.text);
  }
}

// Random edits of a small list, with bytes that matter to JSON and to GBK.
TEST(JsonObjectListDifferential, RandomChangesOfAList) {
  const std::string base =
      R"({"produce":"hintsoft","macList":[{"pc":"网吧01","ip":"10.0.0.1","mac":"00:1a:2b:3c:4d:5e",)"
      R"("netMk":"255.0.0.0","netGW":"10.0.0.254","dns1":"1.1.1.1","dns2":""},{"pc":7,"ip":[1],"mac":{}},)"
      R"("x",[{"pc":"B"}],{"pc":"\u6c40","pc":null}],"macList2":{"macList":[]}})";
  const std::string pieces[] = {"{", "}", "[", "]", ",", ":", "\"", "\\", "\\u", "0", "1e5", "-", ".", "e",
                                "true", "null", " ", "\x81", "\xB0", "\x5C", "\xFF", "\x81\x5C", "\"macList\":",
                                "\"pc\":", "[[[", "]]]", "{\"pc\":\"Z\"}", std::string(1, '\0')};
  std::mt19937 random(20261211);
  int disagreements = 0;
  for (int round = 0; round < 3000 && disagreements < 5; ++round) {
    std::string text = base;
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % (text.size() + 1);
      const std::string& piece = pieces[random() % std::size(pieces)];
      switch (random() % 4) {
        case 0:  // delete a few bytes
          text.erase(at, 1 + random() % 3);
          break;
        case 1:  // insert
          text.insert(at, piece);
          break;
        case 2:  // overwrite
          text.replace(at, piece.size(), piece);
          break;
        default: {  // repeat a stretch, as a second member or element
          const size_t from = random() % (text.size() + 1);
          text.insert(at, text.substr(from, random() % 40));
        }
      }
    }
    SCOPED_TRACE(text);
    if (!agree(text)) ++disagreements;
  }
}

}  // namespace
}  // namespace tl
