#pragma once
// Files named by GBK paths. Windows converts the path to UTF-16 for the wide
// calls; POSIX converts it to UTF-8.
#include <functional>
#include <string>
#include <string_view>

namespace tl::platform {

// The whole file. False when it cannot be opened or read (`out` is then empty).
bool readFileBytes(const std::string& path, std::string& out);

// The file's bytes up to, not including, the first NUL byte; stops reading
// there, so a large binary file costs little.
bool readFileUntilNul(const std::string& path, std::string& out);

// Hands the file's bytes to `onPiece` a piece at a time, front to back,
// until the file ends or `onPiece` returns false; memory stays at one piece
// whatever the file's size. False when the file cannot be opened or read.
bool readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& onPiece);

// Creates or truncates the file and writes all bytes. False when the file
// cannot be created or not every byte was written.
bool writeFileBytes(const std::string& path, std::string_view bytes);

bool fileExists(const std::string& path);  // a file or a directory
bool isDirectory(const std::string& path);
bool deleteFile(const std::string& path);
bool moveFile(const std::string& from, const std::string& to);

// The running program's full path, and its directory without a trailing
// separator.
std::string programPath();
std::string programDirectory();

// The path separator of the platform: "\" on Windows, "/" elsewhere.
char pathSeparator();

}  // namespace tl::platform
