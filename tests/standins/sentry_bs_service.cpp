// Stands in for the 汀澜 server's service "sentry_bs" in the end-to-end
// tests. It appends a line with the local time to sentry_bs.log beside it at
// each step:
//   starting   the service manager has started it
//   running    it reports itself running
//   refused    it refused its start (reported stopped at once)
//   stopping   a stop was asked for
//   stopped    it is about to report itself stopped
// The file sentry_bs.conf beside it sets its behaviour, one key=value a line,
// read when it starts and again when it is asked to stop:
//   stop_ms=N       take N milliseconds to stop, counting its check point up
//   stop_ms=never   never finish stopping, and show no progress either
//   start=refuse    refuse the start
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <string>

namespace {

constexpr const wchar_t* kServiceName = L"sentry_bs";
constexpr DWORD kStopWaitHintMs = 2000;
constexpr int kNever = -1;

std::wstring ownDirectory() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

struct Behaviour {
  int stopMs = 0;  // kNever: the stop never ends
  bool refuseStart = false;
};

std::string readFile(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

Behaviour readBehaviour(const std::wstring& dir) {
  Behaviour behaviour;
  std::istringstream in(readFile(dir + L"sentry_bs.conf"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "stop_ms=never")
      behaviour.stopMs = kNever;
    else if (line.rfind("stop_ms=", 0) == 0)
      behaviour.stopMs = std::atoi(line.c_str() + 8);
    else if (line == "start=refuse")
      behaviour.refuseStart = true;
  }
  return behaviour;
}

void appendLog(const std::wstring& dir, const char* event) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char line[96];
  int n = std::snprintf(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u.%03u %s\r\n", t.wYear, t.wMonth, t.wDay,
                        t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, event);
  HANDLE file = CreateFileW((dir + L"sentry_bs.log").c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, DWORD(n), &written, nullptr);
  CloseHandle(file);
}

// One run of the service, from its start to its stop; the control handler
// reaches it through its context pointer.
class ServiceRun {
 public:
  ServiceRun() : dir_(ownDirectory()), stopAsked_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~ServiceRun() { CloseHandle(stopAsked_); }

  void run() {
    handle_ = RegisterServiceCtrlHandlerExW(kServiceName, &ServiceRun::control, this);
    if (!handle_) return;
    appendLog(dir_, "starting");
    report(SERVICE_START_PENDING, 1000);
    if (readBehaviour(dir_).refuseStart) {
      appendLog(dir_, "refused");
      report(SERVICE_STOPPED, 0, ERROR_SERVICE_SPECIFIC_ERROR);
      return;
    }
    report(SERVICE_RUNNING, 0);
    appendLog(dir_, "running");
    WaitForSingleObject(stopAsked_, INFINITE);
    const Behaviour behaviour = readBehaviour(dir_);  // as it is now, not as it was at the start
    if (behaviour.stopMs == kNever) {
      for (;;) Sleep(INFINITE);  // stop-pending for good, with the same check point
    }
    for (int waited = 0; waited < behaviour.stopMs; waited += 200) {
      Sleep(200);
      report(SERVICE_STOP_PENDING, kStopWaitHintMs, NO_ERROR, true);
    }
    appendLog(dir_, "stopped");
    report(SERVICE_STOPPED, 0);
  }

 private:
  static DWORD WINAPI control(DWORD code, DWORD, void*, void* context) {
    auto* self = static_cast<ServiceRun*>(context);
    switch (code) {
      case SERVICE_CONTROL_STOP:
      case SERVICE_CONTROL_SHUTDOWN:
        appendLog(self->dir_, "stopping");
        self->report(SERVICE_STOP_PENDING, kStopWaitHintMs, NO_ERROR, true);
        SetEvent(self->stopAsked_);
        return NO_ERROR;
      case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
      default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
  }

  void report(DWORD state, DWORD waitHintMs, DWORD exitCode = NO_ERROR, bool nextCheckPoint = false) {
    std::lock_guard<std::mutex> lock(reporting_);
    if (nextCheckPoint) ++checkPoint_;
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWin32ExitCode = exitCode;
    status.dwServiceSpecificExitCode = exitCode == ERROR_SERVICE_SPECIFIC_ERROR ? 1 : 0;
    status.dwCheckPoint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : checkPoint_;
    status.dwWaitHint = waitHintMs;
    SetServiceStatus(handle_, &status);
  }

  std::wstring dir_;
  HANDLE stopAsked_;
  SERVICE_STATUS_HANDLE handle_ = nullptr;
  std::mutex reporting_;
  DWORD checkPoint_ = 0;
};

void WINAPI serviceMain(DWORD, LPWSTR*) {
  ServiceRun run;  // lives until the service has reported itself stopped
  run.run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t name[] = L"sentry_bs";
  SERVICE_TABLE_ENTRYW table[] = {{name, serviceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
