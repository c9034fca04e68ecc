#include "platform/directories.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace tl::platform {

bool createDirectory(const std::string& path) {
  std::wstring wide = gbkToWide(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> listFileNames(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(gbkToWide(path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(wideToGbk(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace tl::platform
