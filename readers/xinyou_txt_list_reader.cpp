#include "readers/xinyou_txt_list_reader.h"

#include "readers/json_client_list.h"

namespace tl {

void readXinyouTxtList(ReaderContext& context, const std::string& path) {
  readJsonClientList(context, path, {.arrayMember = "macList", .nameMember = "pc", .carriesNetwork = true, .utf8File = false});
}

}  // namespace tl
