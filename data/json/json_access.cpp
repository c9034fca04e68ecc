#include "data/json/json_access.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "data/json/gbk_carrier.h"

namespace tl {
namespace {

using nlohmann::json;

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string numberText(const json& node) {
  if (node.is_number_integer()) return node.dump();  // int64 or uint64 digits
  double d = node.get<double>();
  // The script engine's numbers are doubles: 3.0 and 1e2 are the integers 3
  // and 100 there.
  if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
  return node.dump();
}

// The parser keeps its own nesting on the heap, but walking and serialising
// recurse: a text nested deeper than kMaxJsonDepth is refused up front. The
// count only has to be right for the part of the text that is valid JSON:
// the parser stops at the first fault anyway.
bool nestedTooDeep(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJsonDepth) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

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
      return numberText(*node_);
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
  if (gbkText.size() > kMaxJsonTextBytes) return {};
  // The parser takes a NUL byte for the end of the text; JSON has no place
  // for one.
  if (gbkText.find('\0') != std::string_view::npos) return {};
  try {
    std::string utf8 = json_text::gbkToCarrier(gbkText);
    if (nestedTooDeep(utf8)) return {};
    auto document = std::make_unique<json>(json::parse(utf8, nullptr, /*allow_exceptions=*/false,
                                                       /*ignore_comments=*/false));
    if (document->is_discarded()) return {};
    document_ = std::move(document);
    return JsonValue(document_.get());
  } catch (const std::exception&) {
    return {};
  }
}

JsonValue JsonAccess::current() const { return document_ ? JsonValue(document_.get()) : JsonValue(); }

}  // namespace tl
