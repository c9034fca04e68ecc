#include "platform/file_system.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"
#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { if (ok()) CloseHandle(h_); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool close() {
    bool closed = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

HANDLE openForRead(const std::string& path) {
  return CreateFileW(gbkToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads in chunks; `stopAtNul` ends the read at the first zero byte.
bool readChunks(const std::string& path, std::string& out, bool stopAtNul) {
  out.clear();
  Handle file(openForRead(path));
  if (!file.ok()) return false;
  // Reserved at the file's size, so a large file is held once, not in a
  // string that doubles (and is copied) as it grows.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) < out.max_size())
    out.reserve(size_t(size.QuadPart));
  char buffer[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      out.clear();
      return false;
    }
    if (got == 0) return true;
    if (stopAtNul) {
      const void* zero = std::memchr(buffer, 0, got);
      if (zero) {
        out.append(buffer, size_t(static_cast<const char*>(zero) - buffer));
        return true;
      }
    }
    out.append(buffer, got);
  }
}

}  // namespace

bool readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& onPiece) {
  Handle file(openForRead(path));
  if (!file.ok()) return false;
  char buffer[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0 || !onPiece(std::string_view(buffer, got))) return true;
  }
}

bool readFileBytes(const std::string& path, std::string& out) { return readChunks(path, out, false); }
bool readFileUntilNul(const std::string& path, std::string& out) { return readChunks(path, out, true); }

bool writeFileBytes(const std::string& path, std::string_view bytes) {
  Handle file(CreateFileW(gbkToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return file.close();
}

bool fileExists(const std::string& path) {
  return GetFileAttributesW(gbkToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(const std::string& path) {
  DWORD a = GetFileAttributesW(gbkToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool deleteFile(const std::string& path) { return DeleteFileW(gbkToWide(path).c_str()) != 0; }

bool moveFile(const std::string& from, const std::string& to) {
  return MoveFileW(gbkToWide(from).c_str(), gbkToWide(to).c_str()) != 0;
}

std::string programPath() {
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buffer, DWORD(std::size(buffer)));
  return n ? wideToGbk(std::wstring_view(buffer, n)) : std::string();
}

std::string programDirectory() {
  std::string path = programPath();
  size_t last = text::findLastChar(path, '\\');  // a trail byte may be 0x5C
  return last == text::npos ? std::string() : path.substr(0, last);
}

char pathSeparator() { return '\\'; }

}  // namespace tl::platform
