#include "readers/kuaiba_xml_reader.h"

#include "readers/named_client_xml_list.h"

namespace tl {

void readKuaibaXml(ReaderContext& context, const std::string& path) {
  readNamedClientXmlList(context, path, {"cName", "MAC", "clientIP"});
}

}  // namespace tl
