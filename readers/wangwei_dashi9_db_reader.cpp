#include "readers/wangwei_dashi9_db_reader.h"

#include "data/text/gbk_text.h"
#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"

namespace tl {

void readWangweiDashi9Db(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  readDatabaseList(context, path, select, ReadOperation::Bytes,
                   [&grid](const DatabaseRow& row, int number) {
                     int index = appendDatabaseClient(
                         grid, number,
                         {row["ComputerName"], row["Ip"], text::toUpperAscii(row["Mac"]), row["Mask"], row["Gateway"]});
                     grid.setCell(index, kColDns1, row["Dns1"]);
                     grid.setCell(index, kColDns2, row["Dns2"]);
                   });
}

}  // namespace tl
