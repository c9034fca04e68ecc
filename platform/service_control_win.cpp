#include "platform/service_control.h"

#include <windows.h>

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

// A service that hangs in a pending state must not hang the tool with it.
constexpr ULONGLONG kStateTimeoutMs = 120'000;

bool queryState(SC_HANDLE service, SERVICE_STATUS_PROCESS& status) {
  DWORD needed = 0;
  return QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status,
                              &needed) != 0;
}

// Waits while the service is in `pendingState`; returns the state it settles
// in, or 0 when it cannot be queried or does not settle in time.
DWORD waitWhilePending(SC_HANDLE service, DWORD pendingState) {
  const ULONGLONG start = GetTickCount64();
  SERVICE_STATUS_PROCESS status{};
  for (;;) {
    if (!queryState(service, status)) return 0;
    if (status.dwCurrentState != pendingState) return status.dwCurrentState;
    if (GetTickCount64() - start > kStateTimeoutMs) return 0;
    // The service's wait hint, a tenth of it, between 100 ms and 1 s, as the
    // service control manager's own clients poll.
    DWORD pause = status.dwWaitHint / 10;
    Sleep(pause < 100 ? 100 : pause > 1000 ? 1000 : pause);
  }
}

bool stopAndWait(SC_HANDLE service) {
  SERVICE_STATUS_PROCESS status{};
  if (!queryState(service, status)) return false;
  if (status.dwCurrentState == SERVICE_STOPPED) return true;
  if (status.dwCurrentState != SERVICE_STOP_PENDING) {
    SERVICE_STATUS plain{};
    if (!ControlService(service, SERVICE_CONTROL_STOP, &plain) && GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
      return false;
  }
  return waitWhilePending(service, SERVICE_STOP_PENDING) == SERVICE_STOPPED;
}

bool startAndWait(SC_HANDLE service) {
  if (!StartServiceW(service, 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) return false;
  return waitWhilePending(service, SERVICE_START_PENDING) == SERVICE_RUNNING;
}

class ServiceManagerControl : public ServiceControl {
 public:
  ServiceRestart restart(const std::string& serviceName) override {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.get()) return ServiceRestart::Failed;
    ServiceHandle service(OpenServiceW(manager.get(), gbkToWide(serviceName).c_str(),
                                       SERVICE_STOP | SERVICE_START | SERVICE_QUERY_STATUS));
    if (!service.get()) return ServiceRestart::Failed;
    if (!stopAndWait(service.get())) return ServiceRestart::Failed;
    return startAndWait(service.get()) ? ServiceRestart::Restarted : ServiceRestart::Failed;
  }
};

}  // namespace

std::unique_ptr<ServiceControl> makeSystemServiceControl() { return std::make_unique<ServiceManagerControl>(); }

}  // namespace tl::platform
