#include "readers/shengjiu_pxd_reader.h"

#include "readers/named_client_xml_list.h"

namespace tl {

void readShengjiuPxd(ReaderContext& context, const std::string& path) {
  readNamedClientXmlList(context, path, {"ComName", "MAC", "WksIP"});
}

}  // namespace tl
