#include "readers/yiyou_disk_db_reader.h"

#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"
#include "readers/dns_cells.h"

namespace tl {

void readYiyouDiskDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  readDatabaseList(context, path, select, ReadOperation::Bytes,
                   [&grid](const DatabaseRow& row, int number) {
                     int index = appendDatabaseClient(grid, number,
                                                      {row["ComputerName"], row["IPAddress"], row["MACAddress"],
                                                       row["SubnetMask"], row["Gateway"]});
                     setDnsFromCommaList(grid, index, row["DNSServers"]);
                   });
}

}  // namespace tl
