#include "readers/yiyou_diskless_db_reader.h"

#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"
#include "readers/dns_cells.h"

namespace tl {

void readYiyouDisklessDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  readDatabaseList(context, path, select, ReadOperation::Bytes,
                   [&grid](const DatabaseRow& row, int number) {
                     int index = appendDatabaseClient(
                         grid, number,
                         {row["name"], row["ipaddress"], row["macaddress"], row["subnetmask"], row["gateway"]});
                     setDnsFromCommaList(grid, index, row["dns"]);
                   });
}

}  // namespace tl
