#include "update/update_check.h"

#include <cstdint>
#include <cstring>

#include "data/text/gbk_text.h"

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
      !isCompleteWindowsExecutable(env.readFile(incoming))) {
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
