#include "readers/json_client_list.h"

#include <span>

#include "data/json/json_object_list.h"
#include "data/text/gbk_text.h"
#include "data/text_encoding.h"
#include "platform/file_system.h"
#include "readers/local_client_row.h"

namespace tl {
namespace {

// The file's text up to its first NUL byte, in GBK; "" when it cannot be read.
std::string listText(const std::string& path, bool utf8File) {
  std::string bytes;
  if (!utf8File) {
    platform::readFileUntilNul(path, bytes);
    return bytes;
  }
  if (!platform::readFileBytes(path, bytes)) return {};
  return std::string(text::untilNul(convertUtf8ToGbk(bytes)));
}

// The clients as staged rows of the grid, numbered 1, 2, ... in array order:
// the count field has to be written before the first row is shown, and the
// count is known only at the end of the text.
class StagedClientRows : public JsonObjectListSink {
 public:
  StagedClientRows(ClientGrid& grid, bool carriesNetwork) : grid_(grid), carriesNetwork_(carriesNetwork) {}

  void restart() override { grid_.dropStagedRows(); }
  void element(std::span<std::string> texts) override {
    ClientRow& row = grid_.stageRow(std::to_string(grid_.stagedRowCount() + 1));
    row[kColName] = std::move(texts[0]);
    row[kColIp] = std::move(texts[1]);
    row[kColMac] = jsonListMac(texts[2]);
    if (!carriesNetwork_) return;
    row[kColMask] = std::move(texts[3]);
    row[kColGateway] = std::move(texts[4]);
    row[kColDns1] = std::move(texts[5]);
    row[kColDns2] = std::move(texts[6]);
  }

 private:
  ClientGrid& grid_;
  bool carriesNetwork_;
};

}  // namespace

std::string jsonListMac(std::string_view mac) {
  // One pass: ":" becomes "-" and ASCII letters capitals; a double-byte
  // character stays whole (both steps step over it alike).
  std::string out(mac);
  for (size_t i = 0; i < out.size();) {
    size_t n = text::charLength(out, i);
    if (n == 1) out[i] = out[i] == ':' ? '-' : text::asciiUpper(out[i]);
    i += n;
  }
  return out;
}

void readJsonClientList(ReaderContext& context, const std::string& path, const JsonClientListFormat& format) {
  readJsonClientListText(context, listText(path, format.utf8File), format);
}

void readJsonClientListText(ReaderContext& context, std::string_view gbkText, const JsonClientListFormat& format) {
  ClientGrid& grid = context.grid;
  grid.clear();
  // The members a row takes, in the order of the row's cells.
  const std::string_view names[] = {format.nameMember, "ip", "mac", "netMk", "netGW", "dns1", "dns2"};
  const std::span<const std::string_view> wanted(names, format.carriesNetwork ? 7 : 3);
  // One pass over the text, no document: the rows are made as the clients
  // are read.
  StagedClientRows rows(grid, format.carriesNetwork);
  if (!readJsonObjectList(gbkText, format.arrayMember, wanted, rows)) grid.dropStagedRows();
  const int count = grid.stagedRowCount();
  grid.setStatus(kCountField, countFieldText(count));
  grid.showStagedRows();
  if (format.carriesNetwork) return;
  // The machine is asked only for a list that was read, row by row as every
  // list without network values does it.
  for (int row = 0; row < count; ++row) fillLocalNetwork(grid, context.network, row);
}

}  // namespace tl
