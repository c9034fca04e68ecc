#pragma once
// The network configuration of the machine the tool runs on, as raw facts;
// the rules that pick a mask, a gateway or a DNS text from them are the
// core's (readers/local_network_defaults.h).
#include <memory>
#include <string>
#include <vector>

namespace tl::platform {

struct AdapterInfo {
  std::string name;                   // interface identifier (a braced GUID on Windows)
  std::vector<std::string> masks;     // one per IP address entry, in order
  std::vector<std::string> gateways;  // one per gateway entry, in order
};

class LocalNetwork {
 public:
  virtual ~LocalNetwork() = default;
  // The adapters in the platform's order; false when the platform call fails.
  virtual bool adapters(std::vector<AdapterInfo>& out) = 0;
  // The statically configured DNS server text of one adapter ("a,b"), or the
  // empty text.
  virtual std::string dnsServerText(const std::string& adapterName) = 0;
};

std::unique_ptr<LocalNetwork> makeSystemLocalNetwork();

}  // namespace tl::platform
