#include "platform/file_head.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace tl::platform {

std::string fileHead(const std::string& path, size_t count) {
  HANDLE file = CreateFileW(gbkToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string head(count, '\0');
  DWORD got = 0;
  if (GetFileType(file) != FILE_TYPE_DISK || !ReadFile(file, head.data(), DWORD(count), &got, nullptr)) got = 0;
  CloseHandle(file);
  head.resize(got);
  return head;
}

}  // namespace tl::platform
