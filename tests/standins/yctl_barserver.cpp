// Stands in for the 汀澜 server process in the end-to-end tests: a program
// without a window that runs from the installation folder (the test puts
// data\data.db beside it) until it is told to end. It marks that it runs
// with the file YCTLBarserver.running beside it and ends when the file
// YCTLBarserver.quit appears there, removing both.
#include <windows.h>

#include <string>

namespace {

std::wstring ownDirectory() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring dir = ownDirectory();
  const std::wstring running = dir + L"YCTLBarserver.running";
  const std::wstring quit = dir + L"YCTLBarserver.quit";
  HANDLE marker = CreateFileW(running.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  while (!exists(quit)) Sleep(100);
  DeleteFileW(quit.c_str());
  DeleteFileW(running.c_str());
  return 0;
}
