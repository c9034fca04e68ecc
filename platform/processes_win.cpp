#include "platform/processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include "data/text/gbk_text.h"
#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

class Snapshot {
 public:
  Snapshot(DWORD flags, DWORD processId) {
    // A module snapshot of a process that is still loading fails with
    // ERROR_BAD_LENGTH and may simply be taken again.
    for (int attempt = 0; attempt < 5; ++attempt) {
      handle_ = CreateToolhelp32Snapshot(flags, processId);
      if (handle_ != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH) break;
    }
  }
  ~Snapshot() {
    if (ok()) CloseHandle(handle_);
  }
  Snapshot(const Snapshot&) = delete;
  Snapshot& operator=(const Snapshot&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

std::string environmentValue(const wchar_t* name) {
  wchar_t buffer[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(name, buffer, DWORD(std::size(buffer)));
  return n && n < std::size(buffer) ? wideToGbk(std::wstring_view(buffer, n)) : std::string();
}

std::string systemDirectory() {
  wchar_t buffer[MAX_PATH * 2];
  UINT n = GetSystemDirectoryW(buffer, UINT(std::size(buffer)));
  std::string dir = n && n < std::size(buffer) ? wideToGbk(std::wstring_view(buffer, n)) : std::string();
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

class ToolhelpProcesses : public Processes {
 public:
  uint32_t findProcess(const std::string& executableName) override {
    Snapshot snapshot(TH32CS_SNAPPROCESS, 0);
    if (!snapshot.ok()) return 0;
    const std::string wanted = text::toLowerAscii(executableName);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
      if (text::toLowerAscii(wideToGbk(entry.szExeFile)) == wanted) return entry.th32ProcessID;
    }
    return 0;
  }

  std::string executablePath(uint32_t processId) override {
    // The system process has no modules; its "executable" is the system directory.
    if (processId == 4) return systemDirectory();
    Snapshot snapshot(TH32CS_SNAPMODULE, processId);
    if (!snapshot.ok()) return {};
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    if (!Module32FirstW(snapshot.get(), &module)) return {};
    return normalizeModulePath(wideToGbk(module.szExePath), environmentValue(L"SystemRoot"));
  }
};

}  // namespace

std::unique_ptr<Processes> makeSystemProcesses() { return std::make_unique<ToolhelpProcesses>(); }

}  // namespace tl::platform
