#include "readers/fanggezi_xml_reader.h"

#include "data/text/gbk_text.h"
#include "platform/file_system.h"

namespace tl {

void readFanggeziXml(ReaderContext& context, const std::string& path) {
  context.grid.clear();
  std::string bytes;
  if (!platform::readFileBytes(path, bytes)) bytes.clear();
  context.xml.load(bytes);

  int clients = 0;
  context.xml.childCount("@1", clients);
  context.grid.setStatus(kCountField, countFieldText(clients));

  for (int i = 1; i <= clients; ++i) {
    std::string number = std::to_string(i);
    int row = context.grid.appendRow(number);
    std::string element = "@1/@" + number;
    // Fresh for every client: a missing attribute is empty, never the value
    // of the client before it (two PCs with one MAC would be imported).
    std::string name, mac, ip, mask, gateway;
    context.xml.attributeValue(element, "Name", name);
    context.xml.attributeValue(element, "MAC", mac);
    context.xml.attributeValue(element, "IP", ip);
    context.xml.attributeValue(element, "Netmask", mask);
    context.xml.attributeValue(element, "Gateway", gateway);
    context.grid.setCell(row, kColName, name);
    context.grid.setCell(row, kColIp, ip);
    context.grid.setCell(row, kColMac, text::replaceAll(mac, ":", "-"));
    context.grid.setCell(row, kColMask, mask);
    context.grid.setCell(row, kColGateway, gateway);
    context.network.fillDns(context.grid, row);
  }
}

}  // namespace tl
