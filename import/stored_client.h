#pragma once
// A client as the import stores it in cs_client_info: the columns it writes,
// in the database's forms.
#include <array>
#include <string>

#include "core/client_grid.h"

namespace tl {

// client_name, client_mac, client_ip, client_mask, client_gate_way,
// client_dns1, client_dns2, client_group_name.
using StoredClient = std::array<std::string, 8>;
enum StoredColumn { kStoredName, kStoredMac, kStoredIp, kStoredMask, kStoredGateway, kStoredDns1, kStoredDns2, kStoredGroup };

StoredClient storedClient(const ClientRow& row);

// Makes the stored forms of a list's rows, as storedClient does. The rows of
// a list mostly share their mask, gateway and DNS: each of those columns
// keeps the last text it converted and its stored form, so a text repeated
// from the row before is converted once.
class StoredClientMaker {
 public:
  StoredClient operator()(const ClientRow& row);

 private:
  // Starts as the empty text, whose stored form is the empty text too.
  struct LastConverted {
    std::string dotted, stored;
  };
  const std::string& shared(LastConverted& last, const std::string& dotted);
  std::array<LastConverted, 4> last_;  // mask, gateway, DNS1, DNS2
};

// The client as the operator reads it: name, IP, MAC, mask, gateway, DNS1,
// DNS2, group, with IP number texts shown as dotted quads.
std::array<std::string, 8> shownClient(const StoredClient& client);

// The database's form of an address cell: its IP number text; an empty
// cell stays empty unless `emptyIsZero` (the IP column is always converted).
std::string ipNumberCell(const std::string& dotted, bool emptyIsZero);

}  // namespace tl
