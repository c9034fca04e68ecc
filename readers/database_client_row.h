#pragma once
// The client row that each SQLite list reader appends for a result row.
#include <string>

#include "core/client_grid.h"

namespace tl {

struct DatabaseClient {
  std::string name, ip, mac, mask, gateway;
};

// Appends a row numbered `number` and sets computer name, IP address, subnet
// mask, gateway and MAC address; the DNS cells are the reader's. Returns the
// row's index.
inline int appendDatabaseClient(ClientGrid& grid, int number, DatabaseClient client) {
  int row = grid.appendRow(std::to_string(number));
  grid.setCell(row, kColName, std::move(client.name));
  grid.setCell(row, kColIp, std::move(client.ip));
  grid.setCell(row, kColMask, std::move(client.mask));
  grid.setCell(row, kColGateway, std::move(client.gateway));
  grid.setCell(row, kColMac, std::move(client.mac));
  return row;
}

}  // namespace tl
