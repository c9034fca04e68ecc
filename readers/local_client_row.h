#pragma once
// The client row of the list formats that carry only a name, an IP and a
// MAC: mask, gateway and DNS servers come from the local machine.
#include <string>

#include "core/client_grid.h"
#include "readers/local_network_defaults.h"

namespace tl {

struct NamedClient {
  std::string name, ip, mac;
};

// Sets the row's subnet mask, gateway and DNS cells from the local machine.
inline void fillLocalNetwork(ClientGrid& grid, LocalNetworkDefaults& network, int row) {
  grid.setCell(row, kColMask, network.subnetMask());
  grid.setCell(row, kColGateway, network.gateway());
  network.fillDns(grid, row);
}

// Appends a row numbered `number` with the client's name, IP and MAC and
// the local subnet mask, gateway and DNS fill. Returns the row's index.
inline int appendClientOnLocalNetwork(ClientGrid& grid, LocalNetworkDefaults& network, int number,
                                      NamedClient client) {
  int row = grid.appendRow(std::to_string(number));
  grid.setCell(row, kColName, std::move(client.name));
  grid.setCell(row, kColIp, std::move(client.ip));
  grid.setCell(row, kColMac, std::move(client.mac));
  fillLocalNetwork(grid, network, row);
  return row;
}

}  // namespace tl
