#pragma once
// Our own reading of a Windows INI file, with the rules of the Windows
// profile functions (GetPrivateProfileSectionNamesA, GetPrivateProfileStringA)
// as they were observed: IniFiles reads with it on every platform, and the
// unit tests run the same table of files against it and, under Wine, against
// the real functions.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tl::platform {

// The name of a section header line ("[name]" once trimmed, by the last
// "]"), or nullopt for any other line.
std::optional<std::string_view> iniSectionHeaderName(std::string_view line);

// Where the line that starts at `pos` ends: the first CR or LF, or the end.
size_t iniLineEnd(std::string_view text, size_t pos);

class IniText {
 public:
  // Parses the file's bytes: GBK, or UTF-8 / UTF-16 after a byte order mark
  // (converted to GBK as the ANSI functions return them). Takes the bytes
  // over, so a large file is held once.
  explicit IniText(std::string fileBytes);
  // Names and values point into the text it keeps.
  IniText(const IniText&) = delete;
  IniText& operator=(const IniText&) = delete;

  // Named sections in file order, as many as fit a buffer of `bufferSize`
  // bytes that ends in an extra NUL; the last one may be cut short.
  std::vector<std::string> sectionNames(size_t bufferSize) const;

  // The value of `key` in the first section named `section` (both compared
  // without regard to ASCII case, white space around them ignored), or
  // `fallback` when there is none; at most bufferSize - 1 bytes.
  std::string value(std::string_view section, std::string_view key, std::string_view fallback,
                    size_t bufferSize) const;
  // The same for several keys of one section, one value per key into `out`.
  void values(std::string_view section, const std::vector<std::string>& keys, std::string_view fallback,
              size_t bufferSize, std::span<std::string* const> out) const;

 private:
  // A section's lines are content_[bodyBegin, bodyEnd).
  struct Section {
    std::string_view name;
    size_t bodyBegin;
    size_t bodyEnd;
    bool firstOfName;  // no section before it has the same name
  };
  // One line of the section last looked up: its key, and its value unless
  // the line has no "=".
  struct Entry {
    std::string_view key;
    std::string_view value;
    bool hasValue;
  };

  // The next line of a section's `body` from `begin` that is not blank, as
  // its key and value: both trimmed and, in a file that holds a NUL, cut
  // there; nullopt when only blank lines are left. Moves `begin` past it.
  std::optional<Entry> nextEntry(std::string_view body, size_t& begin) const;
  // Splits the lines of the section at `index` into entries_, unless they
  // are there already.
  void splitEntries(size_t index) const;
  // values() for a few keys, without splitting the section into entries_.
  static constexpr size_t kKeysInOnePass = 16;
  void valuesInOnePass(size_t index, const std::vector<std::string>& keys, std::string_view fallback, size_t limit,
                       std::span<std::string* const> out) const;
  // The value of `key` among entries_, or `fallback`, cut to `limit` bytes.
  std::string lookUp(std::string_view key, std::string_view fallback, size_t limit) const;

  // The file is split into sections only as far as a question needs: the
  // section names up to the buffer's end, or the first section of a name.
  // So detection's look at the first section of a large file that is no
  // list costs the file's text and little more. Returns false at the end.
  bool parseNextSection() const;
  // The index of the first section named `name` (upper-case form), parsing
  // on as needed; npos when there is none. Its bodyEnd is final.
  size_t findSection(std::string_view upperName) const;
  // The section a value lookup searches, for the section text as the caller
  // passed it: a reader asks for several keys of one section, then goes on
  // to the next section, so the last answer and the section after it are
  // tried before the lookup by name.
  size_t sectionFor(std::string_view section) const;

  std::string content_;
  bool contentHasNul_;
  mutable std::vector<Section> sections_;  // sections_[0]: the keys before the first header
  mutable size_t parsedTo_ = 0;            // content_ is split into sections up to here
  mutable std::unordered_map<std::string, size_t> firstByName_;  // upper-case name -> first section
  // The section last looked up, its lines split once: a reader asks for
  // several keys of one section in a row.
  mutable size_t entriesOf_ = size_t(-1);
  mutable std::vector<Entry> entries_;
  mutable bool looked_ = false;     // a lookup was made:
  mutable std::string lastQuery_;   // the section text it was asked with
  mutable size_t lastAnswer_ = 0;   // and its answer (npos: none)
};

}  // namespace tl::platform
