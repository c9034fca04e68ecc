#include "platform/update_environment.h"

#include "platform/file_system.h"

namespace tl::platform {
namespace {

class PosixUpdateEnvironment : public UpdateEnvironment {
 public:
  std::string programPath() override { return platform::programPath(); }
  std::string fileVersion(const std::string&) override { return {}; }
  std::string httpGet(const std::string&, Deadline) override { return {}; }
  bool download(const std::string&, const std::string&, Deadline) override { return false; }
  std::string readFile(const std::string& path) override {
    std::string bytes;
    readFileBytes(path, bytes);
    return bytes;
  }
  bool moveFile(const std::string& from, const std::string& to) override { return platform::moveFile(from, to); }
  bool deleteFile(const std::string& path) override { return platform::deleteFile(path); }
  bool startProgram(const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<UpdateEnvironment> makeSystemUpdateEnvironment() {
  return std::make_unique<PosixUpdateEnvironment>();
}

}  // namespace tl::platform
