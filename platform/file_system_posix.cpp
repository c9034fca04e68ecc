#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "data/text/gbk_text.h"
#include "platform/text_codec.h"

namespace tl::platform {
namespace {

std::string native(const std::string& gbkPath) { return gbkToUtf8(gbkPath); }

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File openForRead(const std::string& path) {
  struct stat st {};
  std::string p = native(path);
  if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  return File(std::fopen(p.c_str(), "rb"));
}

// Reserves the file's size, so a large file is held once, not in a string
// that doubles (and is copied) as it grows.
void reserveFileSize(FILE* f, std::string& out) {
  struct stat st {};
  if (::fstat(fileno(f), &st) == 0 && st.st_size > 0 && uint64_t(st.st_size) < out.max_size())
    out.reserve(size_t(st.st_size));
}

}  // namespace

bool readFileInPieces(const std::string& path, const std::function<bool(std::string_view)>& onPiece) {
  File f = openForRead(path);
  if (!f) return false;
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0)
    if (!onPiece(std::string_view(buffer, n))) return true;
  return !std::ferror(f.get());
}

bool readFileBytes(const std::string& path, std::string& out) {
  out.clear();
  File f = openForRead(path);
  if (!f) return false;
  reserveFileSize(f.get(), out);
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) out.append(buffer, n);
  if (std::ferror(f.get())) {
    out.clear();
    return false;
  }
  return true;
}

bool readFileUntilNul(const std::string& path, std::string& out) {
  out.clear();
  File f = openForRead(path);
  if (!f) return false;
  reserveFileSize(f.get(), out);
  char buffer[1 << 16];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
    const void* zero = std::memchr(buffer, 0, n);
    if (zero) {
      out.append(buffer, size_t(static_cast<const char*>(zero) - buffer));
      return true;
    }
    out.append(buffer, n);
  }
  return !std::ferror(f.get());
}

bool writeFileBytes(const std::string& path, std::string_view bytes) {
  File f(std::fopen(native(path).c_str(), "wb"));
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  return std::fclose(f.release()) == 0 && ok;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(native(path).c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool deleteFile(const std::string& path) { return ::unlink(native(path).c_str()) == 0; }

bool moveFile(const std::string& from, const std::string& to) {
  return std::rename(native(from).c_str(), native(to).c_str()) == 0;
}

std::string programPath() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return utf8ToGbk(std::string_view(buffer, size_t(n)));
}

std::string programDirectory() {
  std::string path = programPath();
  size_t slash = text::findLastChar(path, '/');
  return slash == text::npos ? std::string() : path.substr(0, slash);
}

char pathSeparator() { return '/'; }

}  // namespace tl::platform
