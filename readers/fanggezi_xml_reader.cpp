#include "readers/fanggezi_xml_reader.h"

#include "data/text/gbk_text.h"
#include "readers/xml_client_rows.h"

namespace tl {

void readFanggeziXml(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readXmlClientRows(context, path, [&](int element, int row) {
    // Fresh for every client: a missing attribute is empty, never the value
    // of the client before it (two PCs with one MAC would be imported).
    auto attribute = [&](const char* name) {
      std::string_view value;
      context.xml.attributeView(element, name, value);
      return std::string(value);
    };
    grid.setCell(row, kColName, attribute("Name"));
    grid.setCell(row, kColIp, attribute("IP"));
    grid.setCell(row, kColMac, text::replaceAll(attribute("MAC"), ":", "-"));
    grid.setCell(row, kColMask, attribute("Netmask"));
    grid.setCell(row, kColGateway, attribute("Gateway"));
    context.network.fillDns(grid, row);
  });
}

}  // namespace tl
