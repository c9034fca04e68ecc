#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/local_network.h"

namespace tl::platform {
namespace {

std::string dottedText(in_addr address) {
  char text[INET_ADDRSTRLEN] = {};
  if (!inet_ntop(AF_INET, &address, text, sizeof text)) return {};
  return text;
}

struct DefaultRoute {
  std::string interfaceName;
  std::string gateway;
};

// The default routes of the kernel's IPv4 routing table (to 0.0.0.0/0
// through a gateway), in table order. Addresses in the table are the 32-bit
// value of the address in network byte order, printed in hex.
std::vector<DefaultRoute> defaultRoutes() {
  std::vector<DefaultRoute> routes;
  std::ifstream table("/proc/net/route");
  std::string line;
  std::getline(table, line);  // the header
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string name, destination, gateway, flags, refCount, use, metric, mask;
    if (!(fields >> name >> destination >> gateway >> flags >> refCount >> use >> metric >> mask)) continue;
    unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
    if (std::strtoul(destination.c_str(), nullptr, 16) != 0 || std::strtoul(mask.c_str(), nullptr, 16) != 0) continue;
    if (!(flagBits & RTF_UP) || !(flagBits & RTF_GATEWAY)) continue;
    in_addr address{};
    address.s_addr = static_cast<in_addr_t>(std::strtoul(gateway.c_str(), nullptr, 16));
    routes.push_back({name, dottedText(address)});
  }
  return routes;
}

// The resolver's IPv4 name servers joined by ",", the form the registry
// keeps on Windows. IPv6 servers are left out: the grid's DNS cells hold
// IPv4 addresses.
std::string resolverNameServers() {
  std::ifstream config("/etc/resolv.conf");
  std::string line, joined;
  while (std::getline(config, line)) {
    std::istringstream fields(line);
    std::string keyword, address;
    if (!(fields >> keyword >> address) || keyword != "nameserver") continue;
    in_addr parsed{};
    if (inet_pton(AF_INET, address.c_str(), &parsed) != 1) continue;
    if (!joined.empty()) joined += ',';
    joined += address;
  }
  return joined;
}

class PosixLocalNetwork : public LocalNetwork {
 public:
  // Interfaces with an IPv4 address, in the order getifaddrs lists them, one
  // mask per address. The loopback interface is left out, as Windows leaves
  // it out of its adapter list.
  bool adapters(std::vector<AdapterInfo>& out) override {
    out.clear();
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
      if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !entry->ifa_name) continue;
      if (entry->ifa_flags & IFF_LOOPBACK) continue;
      std::string name = entry->ifa_name;
      auto adapter = std::find_if(out.begin(), out.end(), [&](const AdapterInfo& a) { return a.name == name; });
      if (adapter == out.end()) adapter = out.insert(out.end(), AdapterInfo{name, {}, {}});
      in_addr mask{};
      if (entry->ifa_netmask) mask = reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask)->sin_addr;
      adapter->masks.push_back(dottedText(mask));
    }
    freeifaddrs(list);
    for (const DefaultRoute& route : defaultRoutes())
      for (AdapterInfo& adapter : out)
        if (adapter.name == route.interfaceName) adapter.gateways.push_back(route.gateway);
    return true;
  }

  // Linux keeps one resolver configuration for the whole machine, so every
  // adapter has the same text.
  std::string dnsServerText(const std::string&) override { return resolverNameServers(); }
};

}  // namespace

std::unique_ptr<LocalNetwork> makeSystemLocalNetwork() { return std::make_unique<PosixLocalNetwork>(); }

}  // namespace tl::platform
