#include "platform/local_network.h"

namespace tl::platform {
namespace {

class WindowsLocalNetwork : public LocalNetwork {
 public:
  bool adapters(std::vector<AdapterInfo>&) override { return false; }
  std::string dnsServerText(const std::string&) override { return {}; }
};

}  // namespace

std::unique_ptr<LocalNetwork> makeSystemLocalNetwork() { return std::make_unique<WindowsLocalNetwork>(); }

}  // namespace tl::platform
