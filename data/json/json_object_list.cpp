#include "data/json/json_object_list.h"

#include <array>
#include <cstdint>

#include "data/json/gbk_carrier.h"
#include "data/json/json_events.h"

namespace tl {
namespace {

using nlohmann::json;

// The parser's events, sorted by where their value stands: the depth says
// which of the top-level object, the array and an element holds it.
class ObjectListEvents {
 public:
  ObjectListEvents(std::string_view arrayMember, std::span<const std::string_view> wanted,
                   std::span<std::string> texts, JsonObjectListSink& sink)
      : arrayMember_(arrayMember), wanted_(wanted), texts_(texts), sink_(sink) {}

  bool null() { return scalar([] { return std::string(); }); }
  bool boolean(bool value) { return scalar([value] { return std::string(value ? "true" : "false"); }); }
  bool number_integer(json::number_integer_t value) {
    return scalar([value] { return json_text::numberText(json(value)); });
  }
  bool number_unsigned(json::number_unsigned_t value) {
    return scalar([value] { return json_text::numberText(json(value)); });
  }
  bool number_float(json::number_float_t value, const json::string_t&) {
    return scalar([value] { return json_text::numberText(json(value)); });
  }
  bool string(json::string_t& value) { return scalar([&value] { return json_text::carrierToGbk(value); }); }
  bool binary(json::binary_t&) { return true; }  // JSON text has none

  bool start_object(std::size_t) {
    const int at = nesting_.depth();
    if (!nesting_.open()) return false;
    if (at == 2 && inList_) {
      // An element that is an object: its wanted members fill the texts.
      for (std::string& text : texts_) text.clear();
      inElement_ = true;
    } else {
      container(at);
    }
    return true;
  }
  bool key(json::string_t& name) {
    const int at = nesting_.depth();
    if (at == 1) {
      listNext_ = name == arrayMember_;
    } else if (at == 3 && inElement_) {
      wantedNext_ = 0;
      for (size_t i = 0; i < wanted_.size(); ++i)
        if (name == wanted_[i]) wantedNext_ |= uint32_t(1) << i;
    }
    return true;
  }
  bool end_object() {
    nesting_.close();
    if (nesting_.depth() == 2 && inElement_) {
      inElement_ = false;
      sink_.element(texts_);
    }
    return true;
  }
  bool start_array(std::size_t) {
    const int at = nesting_.depth();
    if (!nesting_.open()) return false;
    if (at == 1 && listNext_) {
      listNext_ = false;
      sink_.restart();
      inList_ = true;
    } else {
      container(at);
    }
    return true;
  }
  bool end_array() {
    nesting_.close();
    if (nesting_.depth() == 1 && inList_) inList_ = false;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

 private:
  // A value that is no array or object, where it stands. Its text is made
  // only for a wanted member.
  template <typename Text>
  bool scalar(Text&& text) {
    const int at = nesting_.depth();
    if (at == 3 && inElement_) {
      if (wantedNext_ != 0) assignWanted(text());
    } else {
      container(at);
    }
    return true;
  }

  // What a value other than a text of an element does where it stands.
  void container(int at) {
    if (at == 1 && listNext_) {
      // The array member, but no array: no clients, unless a later one is.
      listNext_ = false;
      sink_.restart();
    } else if (at == 2 && inList_) {
      // An element that is no object has none of the members.
      for (std::string& text : texts_) text.clear();
      sink_.element(texts_);
    } else if (at == 3 && inElement_ && wantedNext_ != 0) {
      assignWanted(std::string());  // an array or an object as a member
    }
  }

  void assignWanted(std::string text) {
    // Two wanted names may be the same member: the last one takes the text.
    for (size_t i = 0; i < wanted_.size(); ++i) {
      if (!(wantedNext_ >> i & 1)) continue;
      wantedNext_ &= ~(uint32_t(1) << i);
      texts_[i] = wantedNext_ != 0 ? text : std::move(text);
    }
  }

  std::string_view arrayMember_;
  std::span<const std::string_view> wanted_;
  std::span<std::string> texts_;
  JsonObjectListSink& sink_;
  json_text::JsonNesting nesting_;
  bool listNext_ = false;      // the top-level object's next value is the array member's
  bool inList_ = false;        // inside the array member's array
  bool inElement_ = false;     // inside an element that is an object
  uint32_t wantedNext_ = 0;    // the wanted members the element's next value is
};

}  // namespace

bool readJsonObjectList(std::string_view gbkText, std::string_view arrayMember,
                        std::span<const std::string_view> wanted, JsonObjectListSink& sink) {
  if (wanted.size() > kMaxWantedMembers) return false;
  std::array<std::string, kMaxWantedMembers> texts;
  ObjectListEvents events(arrayMember, wanted, std::span(texts).first(wanted.size()), sink);
  return json_text::parseJsonEvents(gbkText, events);
}

}  // namespace tl
