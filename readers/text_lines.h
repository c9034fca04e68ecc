#pragma once
// The lines of a text list file, read the way the exporting tools' files
// have always been read: an LF ends a line, and so do a NUL byte and the
// byte 1A; a CR directly before an LF is removed, and only that one. A last
// line without an end counts when it has at least one byte.
#include <string_view>
#include <vector>

namespace tl {

std::vector<std::string_view> splitTextLines(std::string_view bytes);

}  // namespace tl
