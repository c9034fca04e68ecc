#pragma once
// Standard output on Windows, written straight to its handle in large
// blocks. The C runtime writes a text-mode stream through a small buffer of
// its own, a system call every few hundred bytes, and on a character device
// (a console, NUL) under Wine each call is slow: a long table took several
// times as long there as into a file. Line ends stay as the runtime's text
// mode writes them: every LF goes out as CR LF.
#include <windows.h>

#include <streambuf>
#include <string>
#include <vector>

namespace tl::cli {

class HandleOutputBuffer : public std::streambuf {
 public:
  explicit HandleOutputBuffer(HANDLE handle);
  ~HandleOutputBuffer() override;
  HandleOutputBuffer(const HandleOutputBuffer&) = delete;
  HandleOutputBuffer& operator=(const HandleOutputBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Writes what is buffered; false once a write has failed.
  bool writeBuffered();

  HANDLE handle_;
  std::vector<char> buffer_;
  std::string lines_;  // the buffered bytes with CR LF line ends
  bool failed_ = false;
};

}  // namespace tl::cli
