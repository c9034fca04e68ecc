#include "platform/service_restart.h"

#include <algorithm>
#include <optional>

namespace tl::platform {
namespace {

bool isPending(ServiceState state) {
  return state == ServiceState::StartPending || state == ServiceState::StopPending ||
         state == ServiceState::ContinuePending || state == ServiceState::PausePending;
}

// Queries the service until `keepWaiting` lets go of its state, and returns
// that status. Nothing when the service cannot be queried, stops making
// progress for longer than the stall bound, or the wait reaches its total
// bound: a hanging service must not hang the tool with it.
template <typename KeepWaiting>
std::optional<ServiceStatus> waitWhile(ServiceSession& service, WaitClock& clock, const RestartBounds& bounds,
                                       KeepWaiting keepWaiting) {
  const uint64_t start = clock.nowMs();
  uint64_t lastProgress = start;
  std::optional<ServiceStatus> last;
  for (;;) {
    ServiceStatus status;
    if (!service.query(status)) return std::nullopt;
    if (!keepWaiting(status.state)) return status;
    const uint64_t now = clock.nowMs();
    if (!last || status.state != last->state || status.checkPoint != last->checkPoint) lastProgress = now;
    last = status;
    const uint64_t stall = std::max(bounds.stallMs, status.waitHintMs);
    if (now - lastProgress >= stall || now - start >= bounds.totalMs) return std::nullopt;
    // A tenth of the service's wait hint, between 100 ms and 1 s, as the
    // service manager's own clients poll.
    clock.sleepMs(std::clamp<uint32_t>(status.waitHintMs / 10, 100, 1000));
  }
}

}  // namespace

ServiceRestart restartService(ServiceSession& service, WaitClock& clock, const RestartBounds& bounds) {
  // A service on its way up or down is let to arrive first: a stop request
  // to a starting service is refused.
  std::optional<ServiceStatus> settled = waitWhile(service, clock, bounds, isPending);
  if (!settled) return ServiceRestart::Failed;
  const bool wasRunning = settled->state != ServiceState::Stopped;
  if (wasRunning) {
    if (!service.requestStop()) return ServiceRestart::Failed;
    // The start must not begin before the stop has ended; a service that has
    // not yet answered the request still shows its old state.
    settled = waitWhile(service, clock, bounds, [](ServiceState s) { return s != ServiceState::Stopped; });
    if (!settled) return ServiceRestart::Failed;
  }
  if (!service.requestStart()) return ServiceRestart::Failed;
  // A service that refuses its start reports itself stopped again.
  settled = waitWhile(service, clock, bounds, isPending);
  if (!settled || settled->state != ServiceState::Running) return ServiceRestart::Failed;
  return wasRunning ? ServiceRestart::Restarted : ServiceRestart::Started;
}

}  // namespace tl::platform
