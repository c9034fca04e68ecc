#pragma once
// Texts from list files made safe for a terminal: a control byte in a cell
// (ESC, TAB, CR, LF, the other C0 bytes, DEL) would move the cursor, break
// the table or send an escape sequence to the terminal, so it is shown as its
// visible Unicode "control picture" (␛, ␉, ␍, ␊, ...) instead.
#include <string>
#include <string_view>

namespace tl::cli {

// The widest cell of the text table, in terminal columns; a wider cell is cut
// and ends with "…".
inline constexpr size_t kMaxCellWidth = 40;

struct TerminalText {
  std::string utf8;
  size_t width;  // terminal columns: a GBK double-byte character takes two
};

// The GBK text as UTF-8 with control bytes as visible marks, cut to
// `maxWidth` columns ("…" included) when it is wider. A GBK text is as wide
// as it has bytes, so its byte count bounds the result's width.
TerminalText terminalText(std::string_view gbk, size_t maxWidth = std::string_view::npos);

// The same text appended to `out` (a table is built in one buffer); returns
// its width.
size_t appendTerminalText(std::string& out, std::string_view gbk, size_t maxWidth = std::string_view::npos);

}  // namespace tl::cli
