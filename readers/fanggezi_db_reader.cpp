#include "readers/fanggezi_db_reader.h"

#include <algorithm>

#include "data/text/gbk_text.h"
#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"

namespace tl {
namespace {

// The 方格子 table keeps MACs with ":"; the grid shows them with "-". An ASCII
// MAC (the usual one) is changed in place; a text with GBK bytes goes through
// the character-aware replace, which never takes a trail byte for a ":".
std::string dashedMac(std::string mac) {
  for (char c : mac)
    if (static_cast<unsigned char>(c) >= 0x80) return text::replaceAll(mac, ":", "-");
  std::replace(mac.begin(), mac.end(), ':', '-');
  return mac;
}

}  // namespace

void readFanggeziDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  LocalNetworkDefaults& network = context.network;
  readDatabaseList(context, path, select, ReadOperation::Bytes,
                   [&grid, &network](const DatabaseRow& row, int number) {
                     std::string ip = row["IP4"];
                     // A row under the broadcast address is no client: it is not listed, but its
                     // number is used up and the count field still counts it.
                     if (ip == "255.255.255.255") return;
                     int index = appendDatabaseClient(
                         grid, number,
                         {row["NAME"], std::move(ip), dashedMac(row["MAC"]), row["NMASK4"],
                          row["GTWAY4"]});
                     network.fillDns(grid, index);
                   });
}

}  // namespace tl
