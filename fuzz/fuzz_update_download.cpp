// What the update check reads from the network: the version text, the
// downloaded program file and its signature file. Arbitrary bytes must give
// a number and a yes/no, never a read outside the buffer, and never a
// program put in place that is not a whole, newer executable.
//
// Input: the first byte is the length of the signature file, which follows;
// the rest is the program file. The whole input is also read as a version
// text; the server's version.txt always offers an update.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "update/file_version.h"
#include "update/update_check.h"

namespace {

using namespace tl;

// Serves the fuzzed files; the file system is a map.
class FuzzEnvironment : public update::UpdateEnvironment {
 public:
  std::string programPath() override { return "program"; }
  std::string fileVersion(const std::string&) override { return "1.2.4.0"; }
  std::string httpGet(const std::string& url, update::Deadline) override {
    return url.ends_with(".sig") ? signature : "9.9.9.9";
  }
  bool download(const std::string&, const std::string& target, update::Deadline) override {
    files[target] = program;
    return true;
  }
  std::string readFile(const std::string& path) override { return files[path]; }
  bool moveFile(const std::string& from, const std::string& to) override {
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool deleteFile(const std::string& path) override { return files.erase(path) > 0; }
  bool startProgram(const std::string&) override { return true; }

  std::string signature, program;
  std::map<std::string, std::string> files = {{"program", "old"}};
};

// Every signature passes, so that the checks behind it see the fuzzed file.
class AcceptingVerifier : public update::SignatureVerifier {
 public:
  bool verify(const update::PublicKey&, std::string_view, const update::Signature&) override { return true; }
};

class OkUi : public OperatorUi {
 public:
  MessageAnswer showMessage(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
    return MessageAnswer::Ok;
  }
  std::string askText(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  std::string desktopFolder() override { return {}; }
  void processPendingMessages() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tl::update::versionNumber(bytes);
  if (tl::update::isCompleteWindowsExecutable(bytes)) {
    // The first half of a complete file: the check must stay inside the
    // shorter copy, whose headers point past its end.
    tl::update::isCompleteWindowsExecutable(bytes.substr(0, size / 2));
  }

  FuzzEnvironment env;
  const size_t signatureSize = size == 0 ? 0 : std::min<size_t>(uint8_t(bytes[0]), size - 1);
  env.signature = bytes.substr(size == 0 ? 0 : 1, signatureSize);
  env.program = bytes.substr(size == 0 ? 0 : 1 + signatureSize);
  tl::update::PublicKey key;
  tl::update::parsePublicKey(env.signature, key);
  tl::update::FileVersion version;
  const bool newer = tl::update::readFileVersion(env.program, version) &&
                     tl::update::FileVersion{{1, 2, 4, 0}} < version;

  AcceptingVerifier verifier;
  OkUi ui;
  const tl::update::UpdateSettings settings{"h", std::string(128, 'a')};
  auto outcome = tl::update::runUpdateCheck(env, verifier, ui, settings);
  if (outcome == tl::update::UpdateOutcome::Restarting &&
      (!newer || !tl::update::isCompleteWindowsExecutable(env.program) || env.signature.size() != 64))
    std::abort();  // a program that should have been refused was put in place
  if (outcome != tl::update::UpdateOutcome::Restarting && env.files != decltype(env.files){{"program", "old"}})
    std::abort();  // a refusal changed the program file or left the download behind
  return 0;
}
