#include "readers/tinglan_db_reader.h"

#include "data/text/addresses.h"
#include "readers/database_read_sequence.h"

namespace tl {

void readTinglanDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  // The database keeps GBK bytes as they were written: no UTF-8 conversion.
  readDatabaseList(context, path, select, ReadOperation::Bytes,
                   [&grid](const DatabaseRow& row, int number) {
                     int r = grid.appendRow(std::to_string(number));
                     grid.setCell(r, kColName, row["client_name"]);
                     grid.setCell(r, kColIp, text::ipNumberToDotted(row["client_ip"]));
                     grid.setCell(r, kColMac, text::groupMac(row["client_mac"]));
                     grid.setCell(r, kColMask, text::ipNumberToDotted(row["client_mask"]));
                     grid.setCell(r, kColGateway, text::ipNumberToDotted(row["client_gate_way"]));
                     grid.setCell(r, kColDns1, text::ipNumberToDotted(row["client_dns1"]));
                     grid.setCell(r, kColDns2, text::ipNumberToDotted(row["client_dns2"]));
                   });
}

}  // namespace tl
