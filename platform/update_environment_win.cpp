#include "platform/update_environment.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/wide_text_win.h"

namespace tl::platform {
namespace {

const wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

// Every step of a request (connect, send, each receive) waits at most this
// long, and never past the request's deadline.
constexpr std::chrono::milliseconds kStepTimeLimit{5000};

// Milliseconds left until the deadline, at most one step; 0 when it has passed.
DWORD stepTimeout(Deadline deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return 0;
  return DWORD(std::min(left, kStepTimeLimit).count());
}

// Sets the connect, send and receive time limits of a handle (and of the
// handles made from it) to what is left of a step before the deadline.
bool limitSteps(HINTERNET handle, Deadline deadline) {
  DWORD timeout = stepTimeout(deadline);
  if (timeout == 0) return false;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    InternetSetOptionW(handle, option, &timeout, sizeof timeout);
  DWORD retries = 1;
  InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
  return true;
}

// One HTTP/1.0 GET with "Accept: */*", never served from the cache. The
// whole body is read whatever the status; `status` and `length` (-1 when the
// server sent none) describe the response. False on any failure and when the
// deadline passes, however slowly the server drips its bytes.
bool fetch(const std::string& url, Deadline deadline, std::string& body, DWORD& status, long long& length) {
  body.clear();
  status = 0;
  length = -1;
  std::wstring wideUrl = gbkToWide(url);
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  wchar_t host[256] = {}, path[2048] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = DWORD(std::size(host));
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = DWORD(std::size(path));
  if (!InternetCrackUrlW(wideUrl.c_str(), 0, 0, &parts)) return false;

  InternetHandle session(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session || !limitSteps(session.get(), deadline)) return false;
  InternetHandle connection(
      InternetConnectW(session.get(), host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection || !limitSteps(connection.get(), deadline)) return false;
  const wchar_t* accept[] = {L"*/*", nullptr};
  InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", path, L"HTTP/1.0", nullptr, accept,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                              INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI,
                                          0));
  if (!request || !limitSteps(request.get(), deadline) || !HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
    return false;

  DWORD size = sizeof status;
  HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr);
  DWORD contentLength = 0;
  size = sizeof contentLength;
  if (HttpQueryInfoW(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &contentLength, &size,
                     nullptr))
    length = contentLength;

  // Only what has arrived is read, so the deadline is looked at between
  // arrivals and a server sending a byte a second cannot go on for ever.
  char buffer[1 << 15];
  for (;;) {
    if (!limitSteps(request.get(), deadline)) return false;
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request.get(), &available, 0, 0)) return false;
    if (available == 0) return true;
    DWORD got = 0;
    if (!InternetReadFile(request.get(), buffer, std::min<DWORD>(available, sizeof buffer), &got)) return false;
    if (got == 0) return true;
    body.append(buffer, got);
  }
}

struct Response {
  bool ok = false;
  std::string body;
  DWORD status = 0;
  long long length = -1;
};

// WinINet's time limits hold for each wait, but not for a server that drips
// its response header a byte at a time. So the request runs on a thread of
// its own, and at the deadline it is left behind: it only fills memory that
// it shares with nobody else, and ends with the process at the latest.
Response fetchBefore(const std::string& url, Deadline deadline) {
  auto task = std::make_shared<std::packaged_task<Response()>>([url, deadline] {
    Response response;
    response.ok = fetch(url, deadline, response.body, response.status, response.length);
    return response;
  });
  std::future<Response> result = task->get_future();
  try {
    std::thread([task] { (*task)(); }).detach();
  } catch (const std::system_error&) {
    return {};
  }
  if (result.wait_until(deadline) != std::future_status::ready) return {};
  return result.get();
}

class WindowsUpdateEnvironment : public UpdateEnvironment {
 public:
  std::string programPath() override { return platform::programPath(); }

  std::string fileVersion(const std::string& path) override {
    std::wstring widePath = gbkToWide(path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(info->dwFileVersionMS),
                  LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
  }

  std::string httpGet(const std::string& url, Deadline deadline) override {
    Response response = fetchBefore(url, deadline);
    return response.ok ? response.body : std::string();
  }

  bool download(const std::string& url, const std::string& targetPath, Deadline deadline) override {
    // The file is written here, after the request has come back in time.
    Response response = fetchBefore(url, deadline);
    if (!response.ok || response.status != 200) return false;
    if (response.length >= 0 && static_cast<long long>(response.body.size()) != response.length)
      return false;  // cut short
    return writeFileBytes(targetPath, response.body);
  }

  std::string readFile(const std::string& path) override {
    std::string bytes;
    readFileBytes(path, bytes);
    return bytes;
  }

  bool moveFile(const std::string& from, const std::string& to) override { return platform::moveFile(from, to); }
  bool deleteFile(const std::string& path) override { return platform::deleteFile(path); }

  bool startProgram(const std::string& path) override {
    // Quoted so that a folder with spaces is not split.
    std::wstring commandLine = L"\"" + gbkToWide(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
      return false;
    WaitForInputIdle(process.hProcess, 1000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }
};

}  // namespace

std::unique_ptr<UpdateEnvironment> makeSystemUpdateEnvironment() {
  return std::make_unique<WindowsUpdateEnvironment>();
}

}  // namespace tl::platform
