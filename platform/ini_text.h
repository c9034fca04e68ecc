#pragma once
// Our own reading of a Windows INI file, with the rules of the Windows
// profile functions (GetPrivateProfileSectionNamesA, GetPrivateProfileStringA)
// as they were observed: IniFiles reads with it on every platform, and the
// unit tests run the same table of files against it and, under Wine, against
// the real functions.
#include <string>
#include <string_view>
#include <vector>

namespace tl::platform {

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

 private:
  // A section's lines are content_[bodyBegin, bodyEnd). A lookup parses
  // them again (a client section holds a handful of lines), so a large file
  // costs its text plus a small record per section, not one per line.
  struct Section {
    std::string_view name;
    size_t bodyBegin;
    size_t bodyEnd;
  };

  std::string content_;
  std::vector<Section> sections_;
  std::vector<size_t> byName_;  // section indices ordered by upper-case name, then by position
};

}  // namespace tl::platform
