#include "readers/xinyou_json_list_reader.h"

#include "readers/json_client_list.h"

namespace tl {

void readXinyouJsonList(ReaderContext& context, const std::string& path) {
  readJsonClientList(context, path, {.arrayMember = "PcList", .nameMember = "name", .carriesNetwork = false, .utf8File = false});
}

}  // namespace tl
