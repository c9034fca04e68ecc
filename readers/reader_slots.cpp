#include <string_view>

#include "readers/reader_context.h"
// One header per reader file.
#include "readers/fanggezi_db_reader.h"
#include "readers/wangwei_dashi9_db_reader.h"
#include "readers/yileyou_db_reader.h"
#include "readers/yiyou_disk_db_reader.h"
#include "readers/yiyou_diskless_db_reader.h"
#include "readers/yungengxin_db_reader.h"

namespace tl {

ListReader readerForListType(const std::string& name) {
  struct Slot {
    std::string_view name;
    ListReader reader;
  };
  // One slot per list type, in the order of the list type table.
  static const Slot slots[] = {
      {"汀澜无盘", nullptr},
      {"易乐游无盘", readYileyouDb},
      {"易游有盘", readYiyouDiskDb},
      {"易游无盘", readYiyouDisklessDb},
      {"云更新", readYungengxinDb},
      {"方格子", readFanggeziDb},
      {"网维大师9系", readWangweiDashi9Db},
      {"网维大师", nullptr},
      {"方格子XML", nullptr},
      {"方格子TXT", nullptr},
      {"云更新ONC", nullptr},
      {"信佑TXT", nullptr},
      {"信佑TXT列表", nullptr},
      {"顺无盘CLT列表", nullptr},
      {"信佑JSON列表", nullptr},
      {"快吧", nullptr},
      {"PXD", nullptr},
      {"网众", nullptr},
      {"易乐游Client.list", nullptr},
      {"MZD", nullptr},
      {"锐起无盘", nullptr},
  };
  for (const Slot& slot : slots)
    if (slot.name == name) return slot.reader;
  return nullptr;
}

}  // namespace tl
