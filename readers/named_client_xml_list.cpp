#include "readers/named_client_xml_list.h"

#include "data/text/addresses.h"
#include "readers/xml_client_rows.h"

namespace tl {

void readNamedClientXmlList(ReaderContext& context, const std::string& path,
                            const NamedClientAttributes& attributes) {
  startXmlList(context, path);

  int clients = 0;
  context.xml.childCount("@1/@1", clients);
  int taken = 0;
  for (int i = 1; i <= clients; ++i) {
    std::string element = "@1/@1/@" + std::to_string(i);
    // Fresh for every client: a client without a name is skipped even after
    // a named one, and a missing MAC or IP is empty rather than the previous
    // client's.
    std::string name, mac, ip;
    context.xml.attributeValue(element, attributes.name, name);
    context.xml.attributeValue(element, attributes.mac, mac);
    context.xml.attributeValue(element, attributes.ip, ip);
    if (name.empty()) continue;
    ++taken;
    int row = context.grid.appendRow(std::to_string(taken));
    context.grid.setCell(row, kColName, name);
    context.grid.setCell(row, kColIp, ip);
    context.grid.setCell(row, kColMac, text::groupMac(mac));
    context.grid.setCell(row, kColMask, context.network.subnetMask());
    context.grid.setCell(row, kColGateway, context.network.gateway());
    context.network.fillDns(context.grid, row);
  }
  context.grid.setStatus(kCountField, countFieldText(taken));
}

}  // namespace tl
