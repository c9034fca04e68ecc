// tlconv's entry: arguments become UTF-8 (wide on Windows), output is UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "cli/tlconv_app.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

#include "platform/wide_text_win.h"

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  // The C runtime leaves stdout unbuffered on a character device (a console,
  // NUL), so every few bytes of a long table would be one system call. A
  // large buffer writes it in blocks; std::cerr is tied to std::cout, so the
  // table so far is flushed before any message, and exit flushes the rest.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tl::platform::wideToUtf8(argv[i]));
  return tl::cli::runTlconv(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tl::cli::runTlconv(args, std::cout, std::cerr);
}
#endif
