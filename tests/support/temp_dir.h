#pragma once
// A fresh directory per test, removed afterwards, and small file helpers.
// Paths are ASCII, so they are the same in GBK and UTF-8.
#include <string>
#include <string_view>

namespace tl::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the directory.
  std::string file(std::string_view name) const;
  // Writes `bytes` to `name` and returns its path.
  std::string write(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

std::string readAll(const std::string& path);

}  // namespace tl::test
