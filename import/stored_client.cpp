#include "import/stored_client.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "data/text/addresses.h"

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

// The IP number of four pieces of one to three ASCII digits ("10.0.1.25"),
// as text::dottedToIpNumber computes it: each piece's value written in hex
// (at least two digits), the four joined. False for any other text, which
// takes the general path.
bool plainQuadNumber(std::string_view dotted, uint64_t& number) {
  uint64_t joined = 0;
  size_t i = 0;
  for (int piece = 0; piece < 4; ++piece) {
    if (piece > 0) {
      if (i >= dotted.size() || dotted[i] != '.') return false;
      ++i;
    }
    const size_t start = i;
    uint32_t value = 0;
    while (i < dotted.size() && i - start < 3 && dotted[i] >= '0' && dotted[i] <= '9') value = value * 10 + uint32_t(dotted[i++] - '0');
    if (i == start) return false;
    const int digits = value > 0xFF ? 3 : 2;
    joined = (joined << (4 * digits)) | value;
  }
  number = joined;
  return i == dotted.size();
}

// The MAC as stored: every "-" gone (text::removeAll), in one pass.
std::string macWithoutDashes(const std::string& mac) {
  std::string out;
  out.reserve(mac.size());
  for (char c : mac)
    if (c != '-') out += c;
  return out;
}

}  // namespace

std::string ipNumberCell(const std::string& dotted, bool emptyIsZero) {
  if (dotted.empty() && !emptyIsZero) return dotted;
  uint64_t number = 0;
  if (plainQuadNumber(dotted, number)) {
    char digits[24];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
  }
  return text::dottedToIpNumber(dotted);
}

StoredClient storedClient(const ClientRow& row) { return StoredClientMaker()(row); }

const std::string& StoredClientMaker::shared(LastConverted& last, const std::string& dotted) {
  if (last.dotted != dotted) {
    last.stored = ipNumberCell(dotted, false);
    last.dotted = dotted;
  }
  return last.stored;
}

StoredClient StoredClientMaker::operator()(const ClientRow& row) {
  return {
      row[kColName],
      macWithoutDashes(row[kColMac]),
      ipNumberCell(row[kColIp], true),
      shared(last_[0], row[kColMask]),
      shared(last_[1], row[kColGateway]),
      shared(last_[2], row[kColDns1]),
      shared(last_[3], row[kColDns2]),
      "默认分组",  // GBK bytes, as the server keeps its texts
  };
}

std::array<std::string, 8> shownClient(const StoredClient& c) {
  return {c[kStoredName],           shownAddress(c[kStoredIp]),   c[kStoredMac],
          shownAddress(c[kStoredMask]), shownAddress(c[kStoredGateway]), shownAddress(c[kStoredDns1]),
          shownAddress(c[kStoredDns2]), c[kStoredGroup]};
}

}  // namespace tl
