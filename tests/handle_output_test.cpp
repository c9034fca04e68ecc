// tlconv.exe's standard output: written in large blocks straight to the
// handle, with the line ends the C runtime's text mode gives, and a failed
// write seen by the stream.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <ostream>
#include <string>

#include "cli/handle_output_win.h"
#include "platform/file_system.h"
#include "tests/support/temp_dir.h"

namespace tl {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { CloseHandle(h_); }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

HANDLE openForWriting(const std::string& path, DWORD access) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(HandleOutput, LineEndsAsTheRuntimesTextModeAndEveryByteWritten) {
  test::TempDir dir;
  std::string written = dir.file("out.txt");
  std::string body;
  for (int i = 0; i < 20000; ++i) body += "PC" + std::to_string(i) + "\t10.0.0.1\n";  // several blocks
  {
    Handle file(openForWriting(written, GENERIC_WRITE));
    cli::HandleOutputBuffer buffer(file.get());
    std::ostream out(&buffer);
    out << "a\nb\r\nc\n\n" << body << "end";
    out.flush();
    EXPECT_TRUE(out.good());
  }
  std::string expected = "a\r\nb\r\r\nc\r\n\r\n";
  for (char c : body) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  expected += "end";
  std::string bytes;
  ASSERT_TRUE(platform::readFileBytes(written, bytes));
  EXPECT_EQ(bytes, expected);
}

TEST(HandleOutput, AFailedWriteFailsTheStream) {
  test::TempDir dir;
  Handle readOnly(openForWriting(dir.file("ro.txt"), GENERIC_READ));
  cli::HandleOutputBuffer buffer(readOnly.get());
  std::ostream out(&buffer);
  out << "table\n";
  out.flush();
  EXPECT_TRUE(out.fail());
}

}  // namespace
}  // namespace tl
#endif
