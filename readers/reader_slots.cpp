#include <string_view>

#include "readers/reader_context.h"
// One header per reader file.
#include "readers/shun_clt_list_reader.h"
#include "readers/xinyou_json_list_reader.h"
#include "readers/xinyou_txt_list_reader.h"

namespace tl {

ListReader readerForListType(const std::string& name) {
  struct Slot {
    std::string_view name;
    ListReader reader;
  };
  // One slot per list type, in the order of the list type table.
  static const Slot slots[] = {
      {"汀澜无盘", nullptr},
      {"易乐游无盘", nullptr},
      {"易游有盘", nullptr},
      {"易游无盘", nullptr},
      {"云更新", nullptr},
      {"方格子", nullptr},
      {"网维大师9系", nullptr},
      {"网维大师", nullptr},
      {"方格子XML", nullptr},
      {"方格子TXT", nullptr},
      {"云更新ONC", nullptr},
      {"信佑TXT", nullptr},
      {"信佑TXT列表", readXinyouTxtList},
      {"顺无盘CLT列表", readShunCltList},
      {"信佑JSON列表", readXinyouJsonList},
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
