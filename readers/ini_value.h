#pragma once
// How the INI list readers ask for one value.
#include <span>
#include <string>
#include <vector>

#include "platform/ini_files.h"

namespace tl {

// The value of `key` in `section` of the INI file at `path`, or `fallback`.
// Leading bytes up to 32 (spaces, control bytes) are skipped in the path, the
// section and the key first; when any of the three is then empty the value is
// the empty text (not the fallback) and the file is not read.
std::string readIniValue(platform::IniFiles& ini, const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback);

// The same for several keys of one section, the value of keys[k] into *out[k].
// The keys are the reader's own names and start with a visible character.
void readIniValues(platform::IniFiles& ini, const std::string& path, const std::string& section,
                   const std::vector<std::string>& keys, const std::string& fallback, std::span<std::string* const> out);

}  // namespace tl
