#include "readers/yileyou_db_reader.h"

#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"
#include "readers/dns_cells.h"

namespace tl {

void readYileyouDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  readDatabaseList(context, path, select, ReadOperation::Text,
                   [&grid](const DatabaseRow& row, int number) {
                     int index = appendDatabaseClient(
                         grid, number, {row["computer"], row["ip"], row["mac"], row["subnetmask"], row["gateway"]});
                     setDnsFromCommaList(grid, index, row["dns"]);
                   });
}

}  // namespace tl
