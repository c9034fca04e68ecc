#include "platform/file_identity.h"

#include <windows.h>

#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

// The volume and the file index: what makes a file the same file whatever
// path, case or link leads to it.
bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file = CreateFileW(gbkToWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return ok;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (!fileIdentity(a, first) || !fileIdentity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace tl::platform
