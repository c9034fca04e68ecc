#include "import/stored_client.h"

#include "data/text/addresses.h"
#include "data/text/gbk_text.h"

namespace tl {
namespace {

// An IP number text becomes a dotted quad; anything else is shown as stored.
std::string shownAddress(const std::string& stored) {
  if (stored.empty() || stored.size() > 10) return stored;
  for (char c : stored)
    if (c < '0' || c > '9') return stored;
  if (std::stoull(stored) > 0xFFFFFFFFull) return stored;
  return text::ipNumberToDotted(stored);
}

}  // namespace

std::string ipNumberCell(const std::string& dotted, bool emptyIsZero) {
  if (dotted.empty() && !emptyIsZero) return dotted;
  return text::dottedToIpNumber(dotted);
}

StoredClient storedClient(const ClientRow& row) {
  return {
      row[kColName],
      text::removeAll(row[kColMac], '-'),
      ipNumberCell(row[kColIp], true),
      ipNumberCell(row[kColMask], false),
      ipNumberCell(row[kColGateway], false),
      ipNumberCell(row[kColDns1], false),
      ipNumberCell(row[kColDns2], false),
      "默认分组",  // GBK bytes, as the server keeps its texts
  };
}

std::array<std::string, 8> shownClient(const StoredClient& c) {
  return {c[kStoredName],           shownAddress(c[kStoredIp]),   c[kStoredMac],
          shownAddress(c[kStoredMask]), shownAddress(c[kStoredGateway]), shownAddress(c[kStoredDns1]),
          shownAddress(c[kStoredDns2]), c[kStoredGroup]};
}

}  // namespace tl
