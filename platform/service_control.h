#pragma once
// Restarting a system service (the 汀澜 server's "sentry_bs") so that it loads
// its client list again.
#include <memory>
#include <string>

namespace tl::platform {

enum class ServiceRestart {
  Restarted,  // stopped, then started and running again
  Started,    // it was not running: started, and running now
  Failed,     // missing, not permitted, would not stop, or would not start
  Skipped,    // the platform has no service manager for it
};

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  // Stops the service (a stopped one is left as it is), waits until it has
  // stopped, then starts it and waits until it runs; every wait is bounded
  // and no window is shown.
  virtual ServiceRestart restart(const std::string& serviceName) = 0;
};

std::unique_ptr<ServiceControl> makeSystemServiceControl();

}  // namespace tl::platform
