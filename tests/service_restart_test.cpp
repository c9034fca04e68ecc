#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/service_restart.h"

namespace tl {
namespace {

using platform::RestartBounds;
using platform::ServiceRestart;
using platform::ServiceState;
using platform::ServiceStatus;

// Time passes only when the restart sleeps.
class FakeClock : public platform::WaitClock {
 public:
  uint64_t nowMs() override { return now; }
  void sleepMs(uint32_t milliseconds) override { now += milliseconds; }
  uint64_t now = 1'000'000;
};

constexpr int64_t kNever = -1;

// A service whose pending phases last a set time on the fake clock. While
// pending it counts its check point up every 500 ms, unless it is told to
// hang without a sign of life.
class ScriptedService : public platform::ServiceSession {
 public:
  explicit ScriptedService(FakeClock& clock) : clock_(clock) {}

  // How it behaves.
  ServiceState initial = ServiceState::Running;
  int64_t pendingAtStartMs = 0;  // the initial state is reached after this long in its pending state
  int64_t stopMs = 300;          // kNever: stays stop-pending
  int64_t startMs = 300;         // kNever: stays start-pending
  bool pendingShowsProgress = true;
  bool acceptsStop = true;
  bool acceptsStart = true;
  bool refusesStart = false;  // the start ends in Stopped
  bool queryFails = false;
  bool ignoresStopRequest = false;  // takes the request and stays running
  uint32_t waitHintMs = 2000;

  // What happened, on the fake clock.
  std::optional<uint64_t> stopRequestedAt, stoppedAt, startRequestedAt, runningAt;

  void begin() {
    if (pendingAtStartMs > 0) {
      enterPending(initial == ServiceState::Running ? ServiceState::StartPending : ServiceState::StopPending,
                   pendingAtStartMs, initial);
    } else {
      state_ = initial;
    }
  }

  bool query(ServiceStatus& status) override {
    if (queryFails) return false;
    advance();
    status.state = state_;
    status.waitHintMs = waitHintMs;
    status.checkPoint = 0;
    if (pendingShowsProgress && pendingSince_) status.checkPoint = uint32_t((clock_.now - *pendingSince_) / 500);
    return true;
  }

  bool requestStop() override {
    advance();
    if (!acceptsStop || state_ == ServiceState::StartPending) return false;
    stopRequestedAt = clock_.now;
    if (state_ == ServiceState::Stopped || ignoresStopRequest) return true;
    enterPending(ServiceState::StopPending, stopMs, ServiceState::Stopped);
    return true;
  }

  bool requestStart() override {
    advance();
    if (!acceptsStart || state_ == ServiceState::StopPending) return false;
    startRequestedAt = clock_.now;
    if (state_ == ServiceState::Running) return true;
    enterPending(ServiceState::StartPending, startMs, refusesStart ? ServiceState::Stopped : ServiceState::Running);
    return true;
  }

 private:
  void enterPending(ServiceState pending, int64_t lastsMs, ServiceState then) {
    state_ = pending;
    pendingSince_ = clock_.now;
    pendingEnd_ = lastsMs == kNever ? std::nullopt : std::optional<uint64_t>(clock_.now + uint64_t(lastsMs));
    then_ = then;
  }

  void advance() {
    if (!pendingSince_ || !pendingEnd_ || clock_.now < *pendingEnd_) return;
    state_ = then_;
    pendingSince_.reset();
    if (state_ == ServiceState::Stopped && !stoppedAt) stoppedAt = *pendingEnd_;
    if (state_ == ServiceState::Running && startRequestedAt) runningAt = *pendingEnd_;
  }

  FakeClock& clock_;
  ServiceState state_ = ServiceState::Stopped;
  ServiceState then_ = ServiceState::Stopped;
  std::optional<uint64_t> pendingSince_, pendingEnd_;
};

struct Case {
  std::string name;
  void (*setUp)(ScriptedService&);
  ServiceRestart expected;
  bool startRequested;
  uint64_t maxElapsedMs;  // on the fake clock
};

const RestartBounds kBounds{};  // the bounds the tool runs with

TEST(ServiceRestart, StopsWaitsStartsAndWaitsWithinItsBounds) {
  const uint64_t stallEnd = kBounds.stallMs + 1000;  // the last pause may overshoot by one poll
  const Case cases[] = {
      {"running", [](ScriptedService&) {}, ServiceRestart::Restarted, true, 2000},
      {"a slow stop that shows progress", [](ScriptedService& s) { s.stopMs = 60'000; }, ServiceRestart::Restarted,
       true, 62'000},
      {"paused", [](ScriptedService& s) { s.initial = ServiceState::Paused; }, ServiceRestart::Restarted, true, 2000},
      {"still starting when asked", [](ScriptedService& s) { s.pendingAtStartMs = 3000; }, ServiceRestart::Restarted,
       true, 5000},
      {"not running", [](ScriptedService& s) { s.initial = ServiceState::Stopped; }, ServiceRestart::Started, true,
       1000},
      {"stopping on its own", [](ScriptedService& s) {
         s.initial = ServiceState::Stopped;
         s.pendingAtStartMs = 2000;
       },
       ServiceRestart::Started, true, 4000},
      // Failures end within the stall bound, and a stop that never ends is
      // never followed by a start.
      {"a stop that never ends", [](ScriptedService& s) {
         s.stopMs = kNever;
         s.pendingShowsProgress = false;
       },
       ServiceRestart::Failed, false, stallEnd},
      {"a stop request taken and ignored", [](ScriptedService& s) { s.ignoresStopRequest = true; },
       ServiceRestart::Failed, false, stallEnd},
      {"a stop that counts on forever", [](ScriptedService& s) { s.stopMs = kNever; }, ServiceRestart::Failed, false,
       kBounds.totalMs + 1000},
      {"a start that never ends", [](ScriptedService& s) {
         s.startMs = kNever;
         s.pendingShowsProgress = false;
       },
       ServiceRestart::Failed, true, 1000 + stallEnd},
      {"a start refused by the service", [](ScriptedService& s) { s.refusesStart = true; }, ServiceRestart::Failed,
       true, 2000},
      {"a start refused by the manager", [](ScriptedService& s) { s.acceptsStart = false; }, ServiceRestart::Failed,
       false, 2000},
      {"a stop refused", [](ScriptedService& s) { s.acceptsStop = false; }, ServiceRestart::Failed, false, 0},
      {"a service that cannot be queried", [](ScriptedService& s) { s.queryFails = true; }, ServiceRestart::Failed,
       false, 0},
      // A long wait hint is the service's own promise and lengthens the stall bound.
      {"a slow stop with a long wait hint", [](ScriptedService& s) {
         s.stopMs = 25'000;
         s.waitHintMs = 30'000;
         s.pendingShowsProgress = false;
       },
       ServiceRestart::Restarted, true, 28'000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock clock;
    ScriptedService service(clock);
    c.setUp(service);
    service.begin();
    const uint64_t began = clock.now;
    EXPECT_EQ(platform::restartService(service, clock, kBounds), c.expected);
    EXPECT_LE(clock.now - began, c.maxElapsedMs);
    EXPECT_EQ(service.startRequestedAt.has_value(), c.startRequested);
    if (service.startRequestedAt && service.stopRequestedAt) {
      ASSERT_TRUE(service.stoppedAt.has_value());
      EXPECT_GE(*service.startRequestedAt, *service.stoppedAt);  // the start waits for the end of the stop
    }
    EXPECT_EQ(service.runningAt.has_value(), c.expected != ServiceRestart::Failed);
  }
}

}  // namespace
}  // namespace tl
