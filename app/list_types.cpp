#include "app/list_types.h"

#include "data/text/gbk_text.h"
#include "readers/fanggezi_db_reader.h"
#include "readers/fanggezi_txt_reader.h"
#include "readers/fanggezi_xml_reader.h"
#include "readers/kuaiba_xml_reader.h"
#include "readers/mzd_ini_reader.h"
#include "readers/ruiqi_wks_ini_reader.h"
#include "readers/shengjiu_pxd_reader.h"
#include "readers/shun_clt_list_reader.h"
#include "readers/tinglan_db_reader.h"
#include "readers/wangwei_dashi9_db_reader.h"
#include "readers/wangwei_dashi_xml_reader.h"
#include "readers/wangzhong_ini_reader.h"
#include "readers/xinyou_json_list_reader.h"
#include "readers/xinyou_txt_list_reader.h"
#include "readers/xinyou_txt_reader.h"
#include "readers/yileyou_client_list_reader.h"
#include "readers/yileyou_db_reader.h"
#include "readers/yiyou_disk_db_reader.h"
#include "readers/yiyou_diskless_db_reader.h"
#include "readers/yungengxin_db_reader.h"
#include "readers/yungengxin_onc_reader.h"

namespace tl {
namespace {

constexpr ListType sql(std::string_view name, std::string_view typeText, std::string_view select,
                       DatabaseListReader reader) {
  return {.name = name, .typeText = typeText, .probe = ListType::Probe::Sql, .select = select,
          .databaseReader = reader};
}

constexpr ListType text(std::string_view name, std::string_view typeText, TextSignature signature,
                        ListReader reader) {
  return {.name = name, .typeText = typeText, .probe = ListType::Probe::Text, .signature = signature,
          .reader = reader};
}

constexpr ListType ini(std::string_view name, std::string_view typeText, IniRule rule, ListReader reader) {
  return {.name = name, .typeText = typeText, .probe = ListType::Probe::Ini, .iniRule = rule, .reader = reader};
}

// A value is usable when it is neither empty nor the default "未知".
bool usable(const std::string& value) { return !value.empty() && value != "未知"; }

bool macHasColon(const FirstIniSection& s) { return usable(s.mac) && text::contains(s.mac, ":", text::Case::Sensitive); }
bool macIsSectionName(const FirstIniSection& s) { return usable(s.mac) && s.mac == s.name; }
bool nameHasWorkstation(const FirstIniSection& s) { return text::contains(s.name, "工作站", text::Case::Insensitive); }
bool wksNameInTwelveByteSection(const FirstIniSection& s) { return usable(s.wksName) && s.name.size() == 12; }

// Every rule that matches overwrites the result, so of two matching rows
// the later one wins (信佑JSON列表 over 信佑TXT列表, 方格子TXT over 方格子XML).
constexpr ListType kListTypes[] = {
    sql("汀澜无盘", "列表类型: 汀澜无盘", "select * from cs_client_info order by client_name Asc", readTinglanDb),
    sql("易乐游无盘", "列表类型: 易乐游无盘", "select * from workstation order by computer Asc", readYileyouDb),
    sql("易游有盘", "列表类型: 易游有盘", "select * from client order by computername Asc", readYiyouDiskDb),
    sql("易游无盘", "列表类型: 易游无盘", "select * from client order by name Asc", readYiyouDisklessDb),
    sql("云更新", "列表类型: 云更新", "select * from tPcBaseInfo order by machine Asc", readYungengxinDb),
    sql("方格子", "列表类型: 方格子", "select * from comp order by name Asc", readFanggeziDb),
    sql("网维大师9系", "列表类型: 网维大师9系", "select * from tbl_Computer order by ComputerName Asc",
        readWangweiDashi9Db),
    text("网维大师", "列表类型: 网维大师", {{"ClientInfor"}}, readWangweiDashiXml),
    text("方格子XML", "列表类型: 方格子XML", {{"NMenu", "Computer Name"}}, readFanggeziXml),
    text("方格子TXT", "列表类型: 方格子TXT", {{"NMenu", "Count"}}, readFanggeziTxt),
    text("云更新ONC", "列表类型: 云更新ONC", {{"IPAddr=", "Name="}, {"Netmask"}}, readYungengxinOnc),
    text("信佑TXT", "列表类型: 信佑TXT", {{"Name,IP,Mac,Type"}}, readXinyouTxt),
    text("信佑TXT列表", "列表类型: 信佑TXT列表", {{"produce", "hintsoft", "macList"}}, readXinyouTxtList),
    text("顺无盘CLT列表", "列表类型: 顺无盘CLT列表", {{"\"macList\":["}, {"hintsoft", "produce"}}, readShunCltList),
    text("信佑JSON列表", "列表类型: 信佑JSON列表", {{"produce", "hintsoft", "PcList"}}, readXinyouJsonList),
    text("快吧", "列表类型: 快吧无盘", {{"KB Version"}}, readKuaibaXml),
    text("PXD", "列表类型: 盛九PXD无盘", {{"PXD Version"}}, readShengjiuPxd),
    ini("网众", "列表类型: 网众", macHasColon, readWangzhongList),
    ini("易乐游Client.list", "列表类型: 易乐游Client.list", macIsSectionName, readYileyouClientList),
    ini("MZD", "列表类型: 斯普林MZD.INI", nameHasWorkstation, readMzdIni),
    ini("锐起无盘", "列表类型: 锐起无盘WKS.INI", wksNameInTwelveByteSection, readRuiqiWksIni),
};

}  // namespace

std::span<const ListType> listTypes() { return kListTypes; }

const ListType* findListType(std::string_view name) {
  for (const ListType& type : kListTypes)
    if (type.name == name) return &type;
  return nullptr;
}

void readListFile(const ListType& type, ReaderContext& context, const std::string& path) {
  LocalNetworkDefaults::ReadScope networkRead(context.network);
  if (type.databaseReader) type.databaseReader(context, path, type.select);
  if (type.reader) type.reader(context, path);
}

void readListFile(ListReader reader, ReaderContext& context, const std::string& path) {
  LocalNetworkDefaults::ReadScope networkRead(context.network);
  reader(context, path);
}

}  // namespace tl
