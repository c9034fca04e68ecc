#pragma once
// Why a file cannot be read, in the system's words, for the line that follows
// a terse failure message ("数据库打开失败！" says nothing of the cause).
#include <string>

namespace tl::platform {

// The reason the path cannot be opened as a file for reading ("No such file
// or directory", "Is a directory", "Permission denied", a FIFO or a device),
// as GBK; the empty text when it can be.
std::string fileReadProblem(const std::string& path);

}  // namespace tl::platform
