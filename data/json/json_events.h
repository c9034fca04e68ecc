#pragma once
// The rules every JSON read shares, whether it builds a document or takes
// the parser's events as they come: the text is GBK, read through carriers
// made on the fly (data/json/gbk_carrier.h); only standard JSON is accepted,
// with nothing after the value; no text longer than kMaxJsonTextBytes, none
// with a NUL byte, none nested deeper than kMaxJsonDepth; nothing throws.
// Included only by the JSON module's own sources: it brings in the whole
// JSON library.
#include <exception>
#include <string_view>

#include <nlohmann/json.hpp>

#include "data/json/gbk_carrier.h"
#include "data/json/json_access.h"

namespace tl::json_text {

// How deep the arrays and objects of a text stand, counted as they open and
// close: the outermost one is depth 1. An event handler opens before it
// takes an array or object and refuses it when open() is false. Walking
// and serialising a document recurse, so the limit keeps them off the
// stack's end.
class JsonNesting {
 public:
  bool open() { return ++depth_ <= kMaxJsonDepth; }
  void close() { --depth_; }
  // The arrays and objects open around the next event's value.
  int depth() const { return depth_; }

 private:
  int depth_ = 0;
};

// Runs the library's event parser over a GBK text with `handler` (the
// library's event interface). False when the text is refused: too long, a
// NUL byte, not standard JSON, something after the value, a number that is
// not finite, a handler that said no, or anything thrown.
template <typename Handler>
bool parseJsonEvents(std::string_view gbkText, Handler& handler) {
  if (gbkText.size() > kMaxJsonTextBytes) return false;
  // JSON has no place for a NUL byte.
  if (gbkText.find('\0') != std::string_view::npos) return false;
  try {
    // The parser reads the carriers as they are made: no carrier copy of the
    // whole text.
    const char* end = gbkText.data() + gbkText.size();
    return nlohmann::json::sax_parse(CarrierIterator(gbkText.data(), end), CarrierIterator(end, end), &handler,
                                     nlohmann::json::input_format_t::json, /*strict=*/true,
                                     /*ignore_comments=*/false);
  } catch (const std::exception&) {
    return false;
  }
}

// A number as JsonValue::text() gives it: an integer as its digits, a double
// that is a whole number below 1e15 as an integer, any other double as the
// library writes it.
std::string numberText(const nlohmann::json& number);

}  // namespace tl::json_text
