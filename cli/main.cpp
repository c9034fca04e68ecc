// tlconv's entry: arguments become UTF-8 (wide on Windows), output is UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "cli/tlconv_app.h"

#ifdef _WIN32
#include <windows.h>

#include "cli/handle_output_win.h"
#include "platform/wide_text_win.h"

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  // Standard output goes to its handle in large blocks; tied to it,
  // std::cerr writes the output so far before any message.
  tl::cli::HandleOutputBuffer output(GetStdHandle(STD_OUTPUT_HANDLE));
  std::ostream out(&output);
  std::cerr.tie(&out);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tl::platform::wideToUtf8(argv[i]));
  const int status = tl::cli::runTlconv(args, out, std::cerr);
  // std::cerr outlives `out`: untie it before `out` goes, or its flush at
  // exit would reach a destroyed stream.
  std::cerr.tie(nullptr);
  return status;
}
#else
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // A run is short: memory that one step frees (detection's page cache, say)
  // stays with the process for the next step instead of going back to the
  // system at once and being faulted in again, page by page.
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  return tl::cli::runTlconv(args, std::cout, std::cerr);
}
#endif
