#include "cli/grid_output.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <ostream>

#include "cli/terminal_text.h"
#include "platform/text_codec.h"

namespace tl::cli {
namespace {

const std::array<const char*, kColumnCount> kHeaders = {"序号", "计算机名", "IP地址", "MAC地址",
                                                        "子网掩码", "网关", "DNS1", "DNS2"};

// Each cell is cut to kMaxCellWidth columns and padded to its column's
// width: a GBK text is as wide as it has bytes.
void appendPadded(std::string& line, const std::string& gbk, size_t width, bool last) {
  size_t shown = appendTerminalText(line, gbk, kMaxCellWidth);
  if (!last) line.append(width - std::min(width, shown) + 2, ' ');
}

// The table is built in one buffer and written in large blocks.
constexpr size_t kWriteBlock = size_t(1) << 16;

}  // namespace

void printGridTable(const ClientGrid& grid, std::ostream& out) {
  std::array<size_t, kColumnCount> widths{};
  for (int c = 0; c < kColumnCount; ++c) {
    widths[size_t(c)] = std::string(kHeaders[size_t(c)]).size();
    for (int r = 0; r < grid.rowCount(); ++r) widths[size_t(c)] = std::max(widths[size_t(c)], grid.cell(r, c).size());
    widths[size_t(c)] = std::min(widths[size_t(c)], kMaxCellWidth);
  }
  std::string text;
  text.reserve(kWriteBlock + 1024);
  for (int c = 0; c < kColumnCount; ++c) appendPadded(text, kHeaders[size_t(c)], widths[size_t(c)], c + 1 == kColumnCount);
  text += '\n';
  for (int r = 0; r < grid.rowCount(); ++r) {
    const ClientRow& row = grid.row(r);
    for (int c = 0; c < kColumnCount; ++c) appendPadded(text, row[size_t(c)], widths[size_t(c)], c + 1 == kColumnCount);
    text += '\n';
    if (text.size() >= kWriteBlock) {
      out.write(text.data(), std::streamsize(text.size()));
      text.clear();
    }
  }
  text += '\n';
  // The path field holds the file name as given, which may hold control bytes too.
  for (int part = 0; part < kStatusPartCount; ++part) {
    appendTerminalText(text, grid.status(part));
    text += '\n';
  }
  out.write(text.data(), std::streamsize(text.size()));
}

nlohmann::ordered_json gridJson(const std::string& typeName, const ClientGrid& grid, const CliOperatorUi& ui) {
  auto utf8 = [](const std::string& gbk) { return platform::gbkToUtf8(gbk); };
  nlohmann::ordered_json doc;
  doc["type"] = utf8(typeName);
  doc["status"] = nlohmann::ordered_json::array();
  for (int part = 0; part < kStatusPartCount; ++part) doc["status"].push_back(utf8(grid.status(part)));
  doc["rows"] = nlohmann::ordered_json::array();
  for (int r = 0; r < grid.rowCount(); ++r) {
    nlohmann::ordered_json row = nlohmann::ordered_json::array();
    for (int c = 0; c < kColumnCount; ++c) row.push_back(utf8(grid.cell(r, c)));
    doc["rows"].push_back(std::move(row));
  }
  doc["messages"] = nlohmann::ordered_json::array();
  for (const RecordedMessage& m : ui.messages()) {
    nlohmann::ordered_json message = {{"caption", utf8(m.caption)}, {"icon", iconName(m.icon)}, {"text", utf8(m.text)}};
    if (!m.detail.empty()) message["detail"] = utf8(m.detail);
    doc["messages"].push_back(std::move(message));
  }
  doc["notes"] = nlohmann::ordered_json::array();
  for (const std::string& note : ui.notes()) doc["notes"].push_back(utf8(note));
  return doc;
}

void printGridJson(const std::string& typeName, const ClientGrid& grid, const CliOperatorUi& ui,
                   std::ostream& out) {
  out << gridJson(typeName, grid, ui).dump() << '\n';
}

}  // namespace tl::cli
