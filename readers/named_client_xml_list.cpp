#include "readers/named_client_xml_list.h"

#include "data/text/addresses.h"
#include "readers/local_client_row.h"
#include "readers/xml_client_rows.h"

namespace tl {

void readNamedClientXmlList(ReaderContext& context, const std::string& path,
                            const NamedClientAttributes& attributes) {
  startXmlList(context, path);

  int taken = 0;
  const std::string_view names[] = {attributes.name, attributes.mac, attributes.ip};
  for (int element : context.xml.children(context.xml.find("@1/@1"))) {
    // Fresh for every client: a client without a name is skipped even after
    // a named one, and a missing MAC or IP is empty rather than the previous
    // client's.
    std::string_view values[3];
    context.xml.attributeViews(element, names, values);
    const auto [name, mac, ip] = values;
    if (name.empty()) continue;
    appendClientOnLocalNetwork(context.grid, context.network, ++taken,
                               {std::string(name), std::string(ip), text::groupMac(mac)});
  }
  context.grid.setStatus(kCountField, countFieldText(taken));
}

}  // namespace tl
