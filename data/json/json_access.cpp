#include "data/json/json_access.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "data/json/gbk_carrier.h"
#include "data/json/json_events.h"

namespace tl {

using nlohmann::json;

std::string json_text::numberText(const json& node) {
  if (node.is_number_integer()) return node.dump();  // int64 or uint64 digits
  double d = node.get<double>();
  // The script engine's numbers are doubles: 3.0 and 1e2 are the integers 3
  // and 100 there.
  if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
  return node.dump();
}

namespace {

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The library's own document builder, refusing a text nested deeper than
// kMaxJsonDepth: the parser keeps its nesting on the heap, but walking and
// serialising recurse.
class DepthLimitedDocument : public nlohmann::detail::json_sax_dom_parser<json> {
 public:
  explicit DepthLimitedDocument(json& result) : json_sax_dom_parser(result, /*allow_exceptions_=*/false) {}

  bool start_object(std::size_t length) { return nesting_.open() && json_sax_dom_parser::start_object(length); }
  bool end_object() {
    nesting_.close();
    return json_sax_dom_parser::end_object();
  }
  bool start_array(std::size_t length) { return nesting_.open() && json_sax_dom_parser::start_array(length); }
  bool end_array() {
    nesting_.close();
    return json_sax_dom_parser::end_array();
  }

 private:
  json_text::JsonNesting nesting_;
};

}  // namespace

JsonValue JsonValue::member(std::string_view name) const {
  if (!node_ || !node_->is_object()) return {};
  const auto& object = node_->get_ref<const json::object_t&>();
  // An ASCII name is its own carrier form.
  if (isAscii(name)) {
    auto found = object.find(name);
    return found != object.end() ? JsonValue(&found->second) : JsonValue();
  }
  auto found = object.find(json_text::gbkToCarrier(name));
  if (found != object.end()) return JsonValue(&found->second);
  // A name the file wrote with \u escapes is real Unicode, not carriers.
  for (const auto& [key, value] : object)
    if (!isAscii(key) && json_text::carrierToGbk(key) == name) return JsonValue(&value);
  return {};
}

void JsonValue::members(std::span<const std::string_view> names, std::span<JsonValue> out) const {
  for (size_t i = 0; i < names.size(); ++i) out[i] = member(names[i]);
}

JsonValue JsonValue::element(int index) const {
  if (!node_ || !node_->is_array() || index < 0 || size_t(index) >= node_->size()) return {};
  return JsonValue(&(*node_)[size_t(index)]);
}

int JsonValue::length() const {
  if (!node_ || !node_->is_array()) return 0;
  return static_cast<int>(node_->size());
}

std::string JsonValue::text() const {
  if (!node_) return {};
  switch (node_->type()) {
    case json::value_t::string:
      return json_text::carrierToGbk(node_->get_ref<const std::string&>());
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
    case json::value_t::number_float:
      return json_text::numberText(*node_);
    case json::value_t::boolean:
      return node_->get<bool>() ? "true" : "false";
    default:
      return {};
  }
}

std::string JsonValue::serialise() const {
  if (!node_) return {};
  try {
    return json_text::carrierToGbk(node_->dump());
  } catch (const std::exception&) {
    return {};
  }
}

JsonAccess::JsonAccess() = default;
JsonAccess::~JsonAccess() = default;

JsonValue JsonAccess::parse(std::string_view gbkText) {
  document_.reset();
  try {
    auto document = std::make_unique<json>();
    DepthLimitedDocument builder(*document);
    if (!json_text::parseJsonEvents(gbkText, builder) || builder.is_errored()) return {};
    document_ = std::move(document);
    return JsonValue(document_.get());
  } catch (const std::exception&) {
    return {};
  }
}

JsonValue JsonAccess::current() const { return document_ ? JsonValue(document_.get()) : JsonValue(); }

}  // namespace tl
