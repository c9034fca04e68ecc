#include "readers/shun_clt_list_reader.h"

#include "readers/json_client_list.h"

namespace tl {

void readShunCltList(ReaderContext& context, const std::string& path) {
  readJsonClientList(context, path, {.arrayMember = "macList", .nameMember = "pc", .carriesNetwork = false, .utf8File = true});
}

}  // namespace tl
