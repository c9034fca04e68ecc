#include "readers/json_client_list.h"

#include "data/json/json_access.h"
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
  JsonAccess json;
  ClientGrid& grid = context.grid;
  grid.clear();
  JsonValue clients = json.parse(listText(path, format.utf8File)).member(format.arrayMember);
  const int count = clients.length();
  grid.setStatus(kCountField, countFieldText(count));
  // The members a row needs, asked of each client at once.
  const std::string_view names[] = {format.nameMember, "ip", "mac", "netMk", "netGW", "dns1", "dns2"};
  JsonValue values[std::size(names)];
  for (int i = 1; i <= count; ++i) {
    clients.element(i - 1).members(names, values);
    std::string name = values[0].text();
    std::string ip = values[1].text();
    std::string mac = jsonListMac(values[2].text());
    if (!format.carriesNetwork) {
      appendClientOnLocalNetwork(grid, context.network, i, {std::move(name), std::move(ip), std::move(mac)});
      continue;
    }
    int row = grid.appendRow(std::to_string(i));
    grid.setCell(row, kColName, std::move(name));
    grid.setCell(row, kColIp, std::move(ip));
    grid.setCell(row, kColMac, std::move(mac));
    grid.setCell(row, kColMask, values[3].text());
    grid.setCell(row, kColGateway, values[4].text());
    grid.setCell(row, kColDns1, values[5].text());
    grid.setCell(row, kColDns2, values[6].text());
  }
}

}  // namespace tl
