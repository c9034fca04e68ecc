#include "readers/local_network_defaults.h"

#include "data/text/gbk_text.h"
#include "readers/dns_cells.h"

namespace tl {
namespace {

// An adapter's list always has at least one entry on Windows: an adapter
// without an address or a gateway reports one empty entry. An empty list from
// the platform stands for that entry, so the last adapter still decides.
std::string lastEntry(const std::vector<std::string>& entries) {
  return entries.empty() ? std::string() : entries.back();
}

}  // namespace

const LocalNetworkDefaults::AdapterAnswer& LocalNetworkDefaults::adapters() {
  if (!adapters_ || scopeDepth_ == 0) {
    AdapterAnswer answer;
    answer.ok = platform_.adapters(answer.adapters);
    adapters_ = std::move(answer);
  }
  return *adapters_;
}

void LocalNetworkDefaults::forget() {
  adapters_.reset();
  dnsText_.reset();
  dnsPieces_.reset();
}

std::string LocalNetworkDefaults::subnetMask() {
  if (overrides_.mask) return *overrides_.mask;
  const AdapterAnswer& answer = adapters();
  if (!answer.ok || answer.adapters.empty()) return {};
  return lastEntry(answer.adapters.back().masks);
}

std::string LocalNetworkDefaults::gateway() {
  if (overrides_.gateway) return *overrides_.gateway;
  const AdapterAnswer& answer = adapters();
  if (!answer.ok || answer.adapters.empty()) return {};
  return lastEntry(answer.adapters.back().gateways);
}

std::string LocalNetworkDefaults::dnsText() {
  if (overrides_.dnsText) return *overrides_.dnsText;
  if (dnsText_ && scopeDepth_ > 0) return *dnsText_;
  const AdapterAnswer& answer = adapters();
  std::string text;
  if (answer.ok && !answer.adapters.empty()) text = platform_.dnsServerText(answer.adapters.back().name);
  dnsText_ = text;
  return text;
}

void LocalNetworkDefaults::fillDns(ClientGrid& grid, int row) {
  // A text without "," is one server and goes whole into DNS1, unlike the
  // comma-list rule of the SQLite lists.
  // Within a read scope the text is split once for all rows.
  if (!dnsPieces_ || scopeDepth_ == 0) {
    std::string dns = dnsText();
    dnsPieces_ = dns.empty() ? std::vector<std::string>() : text::split(dns, ',');
  }
  setDnsPieces(grid, row, *dnsPieces_);
}

}  // namespace tl
