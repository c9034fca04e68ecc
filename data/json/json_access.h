#pragma once
// JSON access for the JSON list formats: parse a GBK text once, walk it by
// member names and array positions, read texts back in GBK.
//
// Only standard JSON is accepted: an empty text, a trailing comma, a comment,
// single quotes, NaN, a NUL byte or anything after the value give the empty
// value. So do a text nested deeper than kMaxJsonDepth and one longer than
// kMaxJsonTextBytes, so that no file can exhaust the stack or the memory.
// Nothing throws; a value that is not there is the empty value, whose
// members and elements are empty, whose length is 0 and whose text is "".
//
// GBK in and out: see data/json/gbk_carrier.h. Texts in the file come back
// byte for byte; \u escapes come back as their GBK character ("?" when GBK
// lacks it).
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace tl {

inline constexpr int kMaxJsonDepth = 512;
inline constexpr size_t kMaxJsonTextBytes = size_t(64) << 20;

// A view of one value of a JsonAccess's document, valid until that object
// parses again or goes away. Default-constructed it is the empty value.
class JsonValue {
 public:
  JsonValue() = default;

  bool isEmpty() const { return node_ == nullptr; }

  // The member with exactly this name (case-sensitive; of two with the same
  // name the last one). Empty unless this is an object that has it.
  JsonValue member(std::string_view name) const;
  // member() of each name: out[i] for names[i] (out is at least as long as
  // names).
  void members(std::span<const std::string_view> names, std::span<JsonValue> out) const;
  // The element at a 0-based position. Empty unless this is an array that
  // long.
  JsonValue element(int index) const;
  // The number of elements of an array; 0 for every other value, so that a
  // reader never walks a string or an object as if it were a list.
  int length() const;
  // A string as GBK text; a number as plain text (an integer as its digits,
  // 1.5 as "1.5"); true and false as "true" and "false"; "" for null, an
  // object, an array and the empty value.
  std::string text() const;
  // The value as compact JSON in GBK; "" for the empty value.
  std::string serialise() const;

 private:
  friend class JsonAccess;
  explicit JsonValue(const nlohmann::json* node) : node_(node) {}

  const nlohmann::json* node_ = nullptr;
};

// One object per read: parse, then walk the result.
class JsonAccess {
 public:
  JsonAccess();
  ~JsonAccess();
  JsonAccess(const JsonAccess&) = delete;
  JsonAccess& operator=(const JsonAccess&) = delete;

  // Parses a GBK text, keeps the result as the current value and returns it;
  // the empty value when the text is not standard JSON.
  JsonValue parse(std::string_view gbkText);
  // The result of the last parse.
  JsonValue current() const;

 private:
  std::unique_ptr<nlohmann::json> document_;
};

}  // namespace tl
