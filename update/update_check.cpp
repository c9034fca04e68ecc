#include "update/update_check.h"

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"

namespace tl::update {
namespace {

constexpr size_t kHeadBytes = 4096;

}  // namespace

long long versionNumber(const std::string& versionText) {
  std::string digits = text::removeAll(versionText, '.');
  size_t i = 0;
  while (i < digits.size() && (digits[i] == ' ' || digits[i] == '\t')) ++i;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
  long long value = 0;
  for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
    if (value > (INT64_MAX - 9) / 10) break;  // a run of digits this long is no version
    value = value * 10 + (digits[i] - '0');
  }
  return negative ? -value : value;
}

bool looksLikeWindowsExecutable(const std::string& bytes) {
  if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
  uint32_t peOffset = 0;
  std::memcpy(&peOffset, bytes.data() + 0x3C, 4);  // e_lfanew, little-endian
  if (peOffset > bytes.size() - 4) return false;
  return std::memcmp(bytes.data() + peOffset, "PE\0\0", 4) == 0;
}

std::string leftOverPath(const std::string& programPath) { return programPath + ".old"; }

UpdateOutcome runUpdateCheck(UpdateEnvironment& env, OperatorUi& ui, const std::string& host) {
  if (host.empty()) return UpdateOutcome::NotOffered;
  const std::string program = env.programPath();
  std::string localVersion = env.fileVersion(program);
  if (localVersion.empty()) return UpdateOutcome::NotOffered;

  const std::string base = "http://" + host + "/tlup/";
  std::string remoteVersion = env.httpGet(base + "version.txt");
  std::string notes = env.httpGet(base + "updata.txt");
  remoteVersion = text::removeAll(remoteVersion, '.');
  localVersion = text::removeAll(localVersion, '.');
  if (remoteVersion.empty()) return UpdateOutcome::NotOffered;
  if (versionNumber(localVersion) >= versionNumber(remoteVersion)) return UpdateOutcome::NotOffered;

  std::string question = "有新版本工具更新 版本号 " + remoteVersion + " 是否更新\r\n" + notes;
  if (ui.showMessage(question, "提示", MessageIcon::Question, MessageButtons::OkCancel) != MessageAnswer::Ok)
    return UpdateOutcome::Declined;

  // The new program arrives beside the old one first; the running program
  // is only moved aside once a whole executable is there.
  const std::string incoming = program + ".new";
  env.deleteFile(incoming);
  if (!env.download(base + "tluptool.exe", incoming) ||
      !looksLikeWindowsExecutable(env.readHead(incoming, kHeadBytes))) {
    env.deleteFile(incoming);
    return UpdateOutcome::Failed;
  }
  const std::string old = leftOverPath(program);
  env.deleteFile(old);
  if (!env.moveFile(program, old)) {
    env.deleteFile(incoming);
    return UpdateOutcome::Failed;
  }
  if (!env.moveFile(incoming, program)) {
    env.moveFile(old, program);  // put the running program back
    env.deleteFile(incoming);
    return UpdateOutcome::Failed;
  }
  // Should the new program not start, this one goes on running; the new file
  // is in place for the next start.
  return env.startProgram(program) ? UpdateOutcome::Restarting : UpdateOutcome::NotOffered;
}

}  // namespace tl::update
