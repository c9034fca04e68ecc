#include "platform/service_control.h"

#include <windows.h>

#include "platform/service_restart.h"
#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE h) : h_(h) {}
  ~ServiceHandle() {
    if (h_) CloseServiceHandle(h_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE get() const { return h_; }

 private:
  SC_HANDLE h_;
};

ServiceState stateOf(DWORD state) {
  switch (state) {
    case SERVICE_START_PENDING: return ServiceState::StartPending;
    case SERVICE_STOP_PENDING: return ServiceState::StopPending;
    case SERVICE_RUNNING: return ServiceState::Running;
    case SERVICE_CONTINUE_PENDING: return ServiceState::ContinuePending;
    case SERVICE_PAUSE_PENDING: return ServiceState::PausePending;
    case SERVICE_PAUSED: return ServiceState::Paused;
    default: return ServiceState::Stopped;
  }
}

// The service manager's side of one opened service.
class ManagedService : public ServiceSession {
 public:
  explicit ManagedService(SC_HANDLE service) : service_(service) {}

  bool query(ServiceStatus& status) override {
    SERVICE_STATUS_PROCESS raw{};
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service_, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&raw), sizeof raw, &needed))
      return false;
    status = {stateOf(raw.dwCurrentState), raw.dwCheckPoint, raw.dwWaitHint};
    return true;
  }

  bool requestStop() override {
    SERVICE_STATUS plain{};
    return ControlService(service_, SERVICE_CONTROL_STOP, &plain) || GetLastError() == ERROR_SERVICE_NOT_ACTIVE;
  }

  bool requestStart() override {
    return StartServiceW(service_, 0, nullptr) || GetLastError() == ERROR_SERVICE_ALREADY_RUNNING;
  }

 private:
  SC_HANDLE service_;
};

class TickClock : public WaitClock {
 public:
  uint64_t nowMs() override { return GetTickCount64(); }
  void sleepMs(uint32_t milliseconds) override { Sleep(milliseconds); }
};

class ServiceManagerControl : public ServiceControl {
 public:
  ServiceRestart restart(const std::string& serviceName) override {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.get()) return ServiceRestart::Failed;
    ServiceHandle service(OpenServiceW(manager.get(), gbkToWide(serviceName).c_str(),
                                       SERVICE_STOP | SERVICE_START | SERVICE_QUERY_STATUS));
    if (!service.get()) return ServiceRestart::Failed;
    ManagedService session(service.get());
    TickClock clock;
    return restartService(session, clock);
  }
};

}  // namespace

std::unique_ptr<ServiceControl> makeSystemServiceControl() { return std::make_unique<ServiceManagerControl>(); }

}  // namespace tl::platform
