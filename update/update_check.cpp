#include "update/update_check.h"

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"
#include "update/file_version.h"

namespace tl::update {
namespace {

uint32_t readLittle(const std::string& bytes, size_t offset, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) value |= uint32_t(uint8_t(bytes[offset + i])) << (8 * i);
  return value;
}

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

bool isCompleteWindowsExecutable(const std::string& bytes) {
  const uint64_t size = bytes.size();
  if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
  const uint64_t pe = readLittle(bytes, 0x3C, 4);  // e_lfanew
  constexpr uint64_t kSignatureAndFileHeader = 24;
  if (pe + kSignatureAndFileHeader > size || std::memcmp(bytes.data() + pe, "PE\0\0", 4) != 0) return false;
  const uint64_t sectionCount = readLittle(bytes, pe + 6, 2);
  const uint64_t optionalHeaderSize = readLittle(bytes, pe + 20, 2);
  constexpr uint64_t kSectionHeaderSize = 40;
  const uint64_t sectionTable = pe + kSignatureAndFileHeader + optionalHeaderSize;
  if (sectionCount == 0 || sectionTable + sectionCount * kSectionHeaderSize > size) return false;
  for (uint64_t i = 0; i < sectionCount; ++i) {
    const uint64_t header = sectionTable + i * kSectionHeaderSize;
    const uint64_t rawSize = readLittle(bytes, header + 16, 4);
    const uint64_t rawOffset = readLittle(bytes, header + 20, 4);
    if (rawSize != 0 && rawOffset + rawSize > size) return false;
  }
  return true;
}

std::string leftOverPath(const std::string& programPath) { return programPath + ".old"; }

namespace {

// Whether the downloaded bytes may replace the running program: a whole
// executable, signed with the release key, and newer than the running one
// (an old signed release must never come back).
bool acceptable(const std::string& program, const std::string& signatureFile, const PublicKey& key,
                const FileVersion& running, SignatureVerifier& verifier) {
  Signature signature;
  FileVersion offered;
  return isCompleteWindowsExecutable(program) && parseSignatureFile(signatureFile, signature) &&
         verifier.verify(key, program, signature) && readFileVersion(program, offered) && running < offered;
}

}  // namespace

UpdateOutcome runUpdateCheck(UpdateEnvironment& env, SignatureVerifier& verifier, OperatorUi& ui,
                             const UpdateSettings& settings) {
  PublicKey key;
  if (settings.host.empty() || !parsePublicKey(settings.publicKey, key)) return UpdateOutcome::NotOffered;
  const std::string program = env.programPath();
  std::string localVersion = env.fileVersion(program);
  FileVersion running;
  if (!parseFileVersion(localVersion, running)) return UpdateOutcome::NotOffered;

  const std::string base = "http://" + settings.host + "/tlup/";
  const Deadline checkDeadline = std::chrono::steady_clock::now() + kCheckTimeLimit;
  std::string remoteVersion(text::untilNul(env.httpGet(base + "version.txt", checkDeadline)));
  std::string notes;
  if (!remoteVersion.empty()) notes = text::untilNul(env.httpGet(base + "updata.txt", checkDeadline));
  remoteVersion = text::removeAll(remoteVersion, '.');
  localVersion = text::removeAll(localVersion, '.');
  if (remoteVersion.empty()) return UpdateOutcome::NotOffered;
  if (versionNumber(localVersion) >= versionNumber(remoteVersion)) return UpdateOutcome::NotOffered;

  std::string question = "有新版本工具更新 版本号 " + remoteVersion + " 是否更新\r\n" + notes;
  if (ui.showMessage(question, "提示", MessageIcon::Question, MessageButtons::OkCancel) != MessageAnswer::Ok)
    return UpdateOutcome::Declined;

  // The operator has pressed OK and waits: whatever stops the update, the
  // program file stays as it was, nothing is left behind, and he is told.
  const std::string incoming = program + ".new";
  auto refuse = [&] {
    env.deleteFile(incoming);
    ui.showMessage("更新文件校验失败 已取消更新", "提示", MessageIcon::Exclamation);
    return UpdateOutcome::Failed;
  };
  // The new program arrives beside the old one and is judged there, from
  // the very bytes that will be put in place; the running program is only
  // moved aside once they have passed.
  const Deadline downloadDeadline = std::chrono::steady_clock::now() + kDownloadTimeLimit;
  env.deleteFile(incoming);
  if (!env.download(base + "tluptool.exe", incoming, downloadDeadline)) return refuse();
  const std::string signatureFile = env.httpGet(base + "tluptool.exe.sig", downloadDeadline);
  if (!acceptable(env.readFile(incoming), signatureFile, key, running, verifier)) return refuse();

  const std::string old = leftOverPath(program);
  env.deleteFile(old);
  if (!env.moveFile(program, old)) return refuse();
  if (!env.moveFile(incoming, program)) {
    env.moveFile(old, program);  // put the running program back
    return refuse();
  }
  // Should the new program not start, this one goes on running; the new file
  // is in place for the next start.
  return env.startProgram(program) ? UpdateOutcome::Restarting : UpdateOutcome::NotOffered;
}

}  // namespace tl::update
