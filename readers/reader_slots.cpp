#include <string_view>

#include "readers/reader_context.h"
// One header per reader file.
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

ListReader readerForListType(const std::string& name) {
  struct Slot {
    std::string_view name;
    ListReader reader;
  };
  // One slot per list type, in the order of the list type table.
  static const Slot slots[] = {
      {"汀澜无盘", readTinglanDb},
      {"易乐游无盘", readYileyouDb},
      {"易游有盘", readYiyouDiskDb},
      {"易游无盘", readYiyouDisklessDb},
      {"云更新", readYungengxinDb},
      {"方格子", readFanggeziDb},
      {"网维大师9系", readWangweiDashi9Db},
      {"网维大师", readWangweiDashiXml},
      {"方格子XML", readFanggeziXml},
      {"方格子TXT", readFanggeziTxt},
      {"云更新ONC", readYungengxinOnc},
      {"信佑TXT", readXinyouTxt},
      {"信佑TXT列表", readXinyouTxtList},
      {"顺无盘CLT列表", readShunCltList},
      {"信佑JSON列表", readXinyouJsonList},
      {"快吧", readKuaibaXml},
      {"PXD", readShengjiuPxd},
      {"网众", readWangzhongList},
      {"易乐游Client.list", readYileyouClientList},
      {"MZD", readMzdIni},
      {"锐起无盘", readRuiqiWksIni},
  };
  for (const Slot& slot : slots)
    if (slot.name == name) return slot.reader;
  return nullptr;
}

}  // namespace tl
