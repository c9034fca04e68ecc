#include "cli/handle_output_win.h"

namespace tl::cli {

HandleOutputBuffer::HandleOutputBuffer(HANDLE handle) : handle_(handle), buffer_(1 << 16) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

HandleOutputBuffer::~HandleOutputBuffer() { writeBuffered(); }

HandleOutputBuffer::int_type HandleOutputBuffer::overflow(int_type c) {
  if (!writeBuffered()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int HandleOutputBuffer::sync() { return writeBuffered() ? 0 : -1; }

bool HandleOutputBuffer::writeBuffered() {
  const char* begin = pbase();
  const char* end = pptr();
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  if (failed_) return false;
  lines_.clear();
  for (const char* c = begin; c != end; ++c) {
    if (*c == '\n') lines_ += '\r';
    lines_ += *c;
  }
  for (size_t done = 0; done < lines_.size();) {
    DWORD wrote = 0;
    if (!WriteFile(handle_, lines_.data() + done, DWORD(lines_.size() - done), &wrote, nullptr) || wrote == 0) {
      failed_ = true;
      return false;
    }
    done += wrote;
  }
  return true;
}

}  // namespace tl::cli
