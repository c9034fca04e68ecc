#pragma once
#include <chrono>
#include <memory>
#include <string>

namespace tl::platform {

using Deadline = std::chrono::steady_clock::time_point;

// What the update check needs of the platform; a fake stands in for it in
// the tests.
class UpdateEnvironment {
 public:
  virtual ~UpdateEnvironment() = default;
  virtual std::string programPath() = 0;
  // The file version from the version resource ("1.2.4.0"), or "".
  virtual std::string fileVersion(const std::string& path) = 0;
  // One GET; the whole body (whatever the status), "" on any failure or
  // when the deadline passes first.
  virtual std::string httpGet(const std::string& url, Deadline deadline) = 0;
  // Downloads the URL into a new file; false when it did not arrive whole
  // (also when the deadline passed).
  virtual bool download(const std::string& url, const std::string& targetPath, Deadline deadline) = 0;
  // The whole file, "" when unreadable.
  virtual std::string readFile(const std::string& path) = 0;
  virtual bool moveFile(const std::string& from, const std::string& to) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  // Starts the program and waits (at most a second) until it is idle.
  virtual bool startProgram(const std::string& path) = 0;
};

// Windows: the version API, WinINet and CreateProcess. Elsewhere the
// program has no version resource, so the check never asks the server.
std::unique_ptr<UpdateEnvironment> makeSystemUpdateEnvironment();

}  // namespace tl::platform
