// Arbitrary bytes as a JSON list text: parse them as the GBK lists are
// parsed and as the UTF-8 list is, walk whatever came out the way the
// readers do and a little further, and check that texts survive. The
// one-pass read of a list's array gives what the document walk gives.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "data/json/gbk_carrier.h"
#include "data/json/json_access.h"
#include "data/json/json_object_list.h"
#include "data/text_encoding.h"

namespace {

using tl::JsonValue;

void check(bool condition) {
  if (!condition) __builtin_trap();
}

const char* const kNames[] = {"macList", "PcList", "pc", "name", "ip", "mac", "netMk", "a", "0", "", "\xCD\xF8"};

void walk(const JsonValue& value, int& budget) {
  if (value.isEmpty() || --budget < 0) return;
  value.text();
  int length = value.length();
  check(length >= 0);
  for (int i = 0; i < length && budget > 0; ++i) walk(value.element(i), budget);
  check(value.element(length).isEmpty());
  for (const char* name : kNames) walk(value.member(name), budget);
}

// Nested deeper than `allowed` arrays and objects.
bool tooDeep(const nlohmann::json& value, int allowed) {
  if (!value.is_structured()) return false;
  if (allowed == 0) return true;
  for (const nlohmann::json& child : value)
    if (tooDeep(child, allowed - 1)) return true;
  return false;
}

// The document read from the GBK text through carriers made on the fly,
// with the depth limit kept while it is built, is the JSON library's plain
// document of the whole carrier text.
void compareWithLibrary(std::string_view text, const JsonValue& root) {
  if (text.size() > tl::kMaxJsonTextBytes || text.find('\0') != std::string_view::npos) return check(root.isEmpty());
  const auto document = nlohmann::json::parse(tl::json_text::gbkToCarrier(text), nullptr, false, false);
  if (document.is_discarded() || tooDeep(document, tl::kMaxJsonDepth)) return check(root.isEmpty());
  check(root.serialise() == tl::json_text::carrierToGbk(document.dump()));
}

// The elements as the one-pass read gives them.
class RecordedElements : public tl::JsonObjectListSink {
 public:
  void restart() override { rows.clear(); }
  void element(std::span<std::string> texts) override { rows.emplace_back(texts.begin(), texts.end()); }
  std::vector<std::vector<std::string>> rows;
};

// The one-pass read of an array of objects accepts the text exactly when the
// document parse does, and gives each element's member texts as
// member(array).element(i).members(names) and text() do.
void compareOnePass(std::string_view text, const JsonValue& root) {
  const std::string_view names[] = {"pc", "ip", "mac", "", "a", "pc"};
  for (std::string_view array : {"macList", "a"}) {
    RecordedElements onePass;
    const bool accepted = tl::readJsonObjectList(text, array, names, onePass);
    check(accepted == !root.isEmpty());
    if (!accepted) continue;
    const JsonValue list = root.member(array);
    check(int(onePass.rows.size()) == list.length());
    JsonValue values[std::size(names)];
    for (int i = 0; i < list.length(); ++i) {
      list.element(i).members(names, values);
      for (size_t n = 0; n < std::size(names); ++n) check(onePass.rows[size_t(i)][n] == values[n].text());
    }
  }
}

void parseAndWalk(std::string_view text) {
  tl::JsonAccess json;
  JsonValue root = json.parse(text);
  compareWithLibrary(text, root);
  compareOnePass(text, root);
  int budget = 2000;
  walk(root, budget);
  JsonValue clients = root.member("macList");
  for (int i = 0; i < clients.length() && i < 100; ++i) clients.element(i).member("pc").text();
  if (root.isEmpty()) return;
  // What is written out reads back, as the same document unless a \u
  // escape named a character that GBK lacks (it is written as "?", which may
  // also reorder the names of an object).
  std::string written = root.serialise();
  check(!written.empty());
  tl::JsonAccess again;
  JsonValue reread = again.parse(written);
  check(!reread.isEmpty());
  if (text.find("\\u") == std::string_view::npos) check(reread.serialise() == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  check(tl::json_text::carrierToGbk(tl::json_text::gbkToCarrier(bytes)) == bytes);
  parseAndWalk(bytes);
  parseAndWalk(tl::convertUtf8ToGbk(bytes));
  return 0;
}
