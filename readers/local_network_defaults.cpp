#include "readers/local_network_defaults.h"

#include "data/text/gbk_text.h"

namespace tl {

std::string LocalNetworkDefaults::subnetMask() {
  if (overrides_.mask) return *overrides_.mask;
  std::vector<platform::AdapterInfo> adapters;
  std::string result;
  if (!platform_.adapters(adapters)) return result;
  for (const auto& adapter : adapters)
    for (const auto& mask : adapter.masks) result = mask;
  return result;
}

std::string LocalNetworkDefaults::gateway() {
  if (overrides_.gateway) return *overrides_.gateway;
  std::vector<platform::AdapterInfo> adapters;
  std::string result;
  if (!platform_.adapters(adapters)) return result;
  for (const auto& adapter : adapters)
    for (const auto& gateway : adapter.gateways) result = gateway;
  return result;
}

std::string LocalNetworkDefaults::dnsText() {
  if (overrides_.dnsText) return *overrides_.dnsText;
  std::vector<platform::AdapterInfo> adapters;
  if (!platform_.adapters(adapters) || adapters.empty()) return {};
  return platform_.dnsServerText(adapters.back().name);
}

void LocalNetworkDefaults::fillDns(ClientGrid& grid, int row) {
  std::string dns = dnsText();
  if (dns.empty()) return;
  if (!text::contains(dns, ",", text::Case::Sensitive)) {
    grid.setCell(row, kColDns1, dns);
    return;
  }
  std::vector<std::string> pieces = text::split(dns, ',');
  if (pieces.size() >= 1) grid.setCell(row, kColDns1, pieces[0]);
  if (pieces.size() >= 2) grid.setCell(row, kColDns2, pieces[1]);
}

}  // namespace tl
