#pragma once
// One array of objects in a JSON text, read in one pass without building a
// document: the array is a member of the top-level object, and of each of
// its elements only a few members are wanted, as texts. The JSON list files
// are such texts, and most of their bytes are the elements; a document of
// them would be built only to be walked once and thrown away.
//
// The result is what JsonAccess gives for the same text: the same texts are
// accepted, and the texts are those of JsonAccess's
// parse(text).member(array).element(i).member(name).text().
#include <span>
#include <string>
#include <string_view>

namespace tl {

// Takes the elements as they are read.
class JsonObjectListSink {
 public:
  virtual ~JsonObjectListSink() = default;
  // The array member appears again: an object keeps the last value of a
  // name, so every element given so far is void.
  virtual void restart() = 0;
  // The next element: texts[i] is the text of the wanted member i ("" when
  // the element lacks it, when its value is an array, an object or null, and
  // for every member when the element is not an object). The sink may take
  // the texts away.
  virtual void element(std::span<std::string> texts) = 0;
};

// Reads the elements of `arrayMember` of a GBK JSON text's top-level object
// into `sink`, with the texts of the members `wanted` (at most
// kMaxWantedMembers). The names are ASCII and matched exactly. False when
// the text is refused (the sink may have been given elements by then); a
// text whose top-level value is no object, or that lacks the member, or
// whose member is no array, is accepted with no elements.
inline constexpr size_t kMaxWantedMembers = 8;
bool readJsonObjectList(std::string_view gbkText, std::string_view arrayMember,
                        std::span<const std::string_view> wanted, JsonObjectListSink& sink);

}  // namespace tl
