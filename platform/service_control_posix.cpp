#include "platform/service_control.h"

namespace tl::platform {
namespace {

// The 汀澜 server is a Windows service; there is nothing to restart here.
class NoServiceControl : public ServiceControl {
 public:
  ServiceRestart restart(const std::string&) override { return ServiceRestart::Skipped; }
};

}  // namespace

std::unique_ptr<ServiceControl> makeSystemServiceControl() { return std::make_unique<NoServiceControl>(); }

}  // namespace tl::platform
