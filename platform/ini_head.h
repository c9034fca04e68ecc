#pragma once
// The part of an INI file that its first named section takes: enough to
// answer which section comes first and what its keys hold, as the whole
// file would, without holding a large file whole.
#include <string>

namespace tl::platform {

// The file's text from the header of its first named section up to the next
// section header (or the file's end); empty when no section is named.
// False when the file cannot be read, or starts with a byte order mark (its
// text is then converted as a whole: read the whole file instead).
bool readIniFirstSection(const std::string& path, std::string& out);

}  // namespace tl::platform
