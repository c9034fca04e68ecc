#pragma once
// The stop, wait, start, wait sequence of a service restart, apart from the
// system calls that carry it out, so that its waits and their bounds can be
// run against a scripted service and a clock that only pretends to sleep.
#include <cstdint>

#include "platform/service_control.h"

namespace tl::platform {

enum class ServiceState { Stopped, StartPending, StopPending, Running, ContinuePending, PausePending, Paused };

struct ServiceStatus {
  ServiceState state = ServiceState::Stopped;
  uint32_t checkPoint = 0;  // a pending service counts this up while it makes progress
  uint32_t waitHintMs = 0;  // how long it expects until its next report
};

// One opened service.
class ServiceSession {
 public:
  virtual ~ServiceSession() = default;
  virtual bool query(ServiceStatus& status) = 0;
  // Asks a running (or paused) service to stop; true when the request was
  // taken or the service was not running anyway.
  virtual bool requestStop() = 0;
  // Asks a stopped service to start; true when the request was taken or the
  // service was running already.
  virtual bool requestStart() = 0;
};

class WaitClock {
 public:
  virtual ~WaitClock() = default;
  virtual uint64_t nowMs() = 0;
  virtual void sleepMs(uint32_t milliseconds) = 0;
};

struct RestartBounds {
  // A pending service that neither changes state nor counts its check point
  // up for this long (or for its own wait hint, when that is longer) is
  // taken to hang.
  uint32_t stallMs = 15'000;
  // No single wait lasts longer than this, however busy the service looks.
  uint32_t totalMs = 120'000;
};

// Stops the service when it runs, waits until it has stopped, starts it and
// waits until it runs. Restarted when it ran before, Started when it was
// stopped (or stopping) before; Failed when a request is refused, the
// service settles in another state, or a wait ends at its bound.
ServiceRestart restartService(ServiceSession& service, WaitClock& clock, const RestartBounds& bounds = {});

}  // namespace tl::platform
