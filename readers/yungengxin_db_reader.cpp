#include "readers/yungengxin_db_reader.h"

#include "data/text/addresses.h"
#include "readers/database_client_row.h"
#include "readers/database_read_sequence.h"

namespace tl {
namespace {

// 云更新 stores an address as the integer whose least significant byte is
// the first octet: 16885952 (0x0101A8C0) is 192.168.1.1. Any other value is
// read as text and wraps as a 32-bit long would; an integer read as a
// number gives the same low 32 bits without making its digits first.
std::string integerAddress(const DatabaseRow& row, std::string_view column) {
  std::optional<int64_t> stored = row.integer(column);
  return text::reversedDottedQuad(stored ? static_cast<uint32_t>(*stored)
                                         : static_cast<uint32_t>(text::readLongWrapped(row[column])));
}

}  // namespace

void readYungengxinDb(ReaderContext& context, const std::string& path, std::string_view select) {
  ClientGrid& grid = context.grid;
  // The statement sorts by machine, but the name is looked up as MACHINE:
  // a table that declares the column in lower case lists empty names.
  readDatabaseList(context, path, select, ReadOperation::Text,
                   [&grid](const DatabaseRow& row, int number) {
                     int index = appendDatabaseClient(grid, number,
                                                      {row["MACHINE"], integerAddress(row, "ip"), row["mac"],
                                                       integerAddress(row, "mark"), integerAddress(row, "gate")});
                     grid.setCell(index, kColDns1, integerAddress(row, "dns"));
                     grid.setCell(index, kColDns2, integerAddress(row, "dns2"));
                   });
}

}  // namespace tl
