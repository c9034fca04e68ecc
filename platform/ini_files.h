#pragma once
// Windows INI files read as GetPrivateProfileSectionNamesA and
// GetPrivateProfileStringA read them: on Windows by those functions, elsewhere
// by our own reader with the same rules (see ini_text.h), which the tests
// hold to the functions under Wine.
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tl::platform {

inline constexpr size_t kSectionNamesBufferSize = 204800;
inline constexpr size_t kValueBufferSize = 10240;

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // Section names in file order, as far as they fit the 204,800-byte buffer.
  virtual std::vector<std::string> sectionNames(const std::string& path) = 0;
  // The value of `key` in `section` (both matched without regard to ASCII
  // case), or `fallback`; at most 10,239 bytes.
  virtual std::string value(const std::string& path, const std::string& section, const std::string& key,
                            const std::string& fallback) = 0;

  // The values of several keys of one section, as value() gives each, into
  // *out[k] for keys[k] (`out` as long as `keys`: a reader passes its grid
  // row's cells). Our reader finds the section and reads its lines once for
  // all of them.
  virtual void values(const std::string& path, const std::string& section, const std::vector<std::string>& keys,
                      const std::string& fallback, std::span<std::string* const> out);

  // The first named section and the values of `keys` in it (each `fallback`
  // when missing), as sectionNames().front() and value() give them; nullopt
  // when the file names no section. Our reader reads only as far as that
  // section, so a look at a large file that is no list costs little.
  struct FirstSection {
    std::string name;
    std::vector<std::string> values;
  };
  virtual std::optional<FirstSection> firstSection(const std::string& path, const std::vector<std::string>& keys,
                                                   const std::string& fallback);

  // One list read, which asks for every key of every section: while a scope
  // is alive a reader that caches the parsed file may check the file once
  // instead of before every call. Scopes nest.
  class ReadScope {
   public:
    explicit ReadScope(IniFiles& files) : files_(files) { files_.beginRead(); }
    ~ReadScope() { files_.endRead(); }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

   private:
    IniFiles& files_;
  };

 private:
  virtual void beginRead() {}
  virtual void endRead() {}
};

// The platform's own: the profile functions on Windows, our reader elsewhere.
std::unique_ptr<IniFiles> makeSystemIniFiles();
// Our reader on every platform. It keeps the last file parsed, so a reader
// asking for every key of every section reads the file once.
std::unique_ptr<IniFiles> makeIniTextFiles();

}  // namespace tl::platform
