#include "core/list_detection.h"

#include <string_view>

#include "core/list_types.h"
#include "data/text/gbk_text.h"
#include "data/text/signature_search.h"
#include "platform/file_system.h"

namespace tl {
namespace {

using text::Case;

constexpr const char* kSqlProbes[] = {
    "select * from cs_client_info order by client_name Asc",
    "select * from workstation order by computer Asc",
    "select * from client order by computername Asc",
    "select * from client order by name Asc",
    "select * from tPcBaseInfo order by machine Asc",
    "select * from comp order by name Asc",
    "select * from tbl_Computer order by ComputerName Asc",
};

class Detection {
 public:
  Detection(DetectionContext& context) : context_(context) {}

  void match(int number) {
    const ListType& type = listTypes()[size_t(number - 1)];
    result_ = std::string(type.name);
    context_.grid.setStatus(kTypeField, std::string(type.typeText));
  }
  const std::string& result() const { return result_; }

 private:
  DetectionContext& context_;
  std::string result_;
};

void probeContent(Detection& detection, std::string_view content) {
  // One pass finds the signatures whose absence settles a rule; the others
  // are looked for only when a rule still needs them.
  const text::SignatureSearch search(content, {"ClientInfor", "NMenu", "IPAddr=", "Name,IP,Mac,Type", "produce",
                                               "hintsoft", "macList", "KB Version", "PXD Version"});
  auto has = [&](std::string_view needle) { return search.contains(needle); };
  if (has("ClientInfor")) detection.match(8);
  if (has("NMenu")) {
    if (has("Computer Name")) detection.match(9);
    if (has("Count")) detection.match(10);
  }
  if (has("IPAddr=") && has("Name=") && !has("Netmask")) detection.match(11);
  if (has("Name,IP,Mac,Type")) detection.match(12);
  bool produce = has("produce"), hintsoft = has("hintsoft");
  if (produce && hintsoft && has("macList")) detection.match(13);
  if (has("\"macList\":[") && !hintsoft && !produce) detection.match(14);
  if (produce && hintsoft && has("PcList")) detection.match(15);
  if (has("KB Version")) detection.match(16);
  if (has("PXD Version")) detection.match(17);
}

// The text signatures look at the file up to its first NUL byte. The text
// lives only in here: it is gone before the INI probes load the file again.
void probeText(Detection& detection, const std::string& path) {
  std::string content;
  platform::readFileUntilNul(path, content);
  probeContent(detection, content);
}

// A value is usable when it is neither empty nor the default "未知".
bool usable(const std::string& value) { return !value.empty() && value != "未知"; }

void probeIni(Detection& detection, platform::IniFiles& ini, const std::string& path) {
  std::vector<std::string> sections = ini.sectionNames(path);
  if (sections.empty()) return;
  const std::string& first = sections.front();
  std::string mac = ini.value(path, first, "mac", "未知");
  if (usable(mac) && text::contains(mac, ":", Case::Sensitive)) detection.match(18);
  if (usable(mac) && mac == first) detection.match(19);
  if (text::contains(first, "工作站", Case::Insensitive)) detection.match(20);
  std::string wksName = ini.value(path, first, "WksName", "未知");
  if (usable(wksName) && first.size() == 12) detection.match(21);
}

}  // namespace

std::string detectListType(DetectionContext& context, const std::string& path) {
  Detection detection(context);

  if (!context.database.open(path)) {
    context.ui.showMessage("数据库打开失败！", "提示", MessageIcon::Error);
    return {};
  }
  for (int i = 0; i < 7; ++i)
    if (context.database.probe(kSqlProbes[i])) detection.match(i + 1);
  context.database.close();

  probeText(detection, path);

  probeIni(detection, context.ini, path);

  if (detection.result().empty()) {
    context.grid.clear();
    context.grid.setStatus(kTypeField, "列表文件不支持");
  }
  return detection.result();
}

}  // namespace tl
