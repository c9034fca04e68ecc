#include "readers/wangwei_dashi_xml_reader.h"

#include <array>
#include <vector>

#include "data/text/addresses.h"
#include "readers/xml_client_rows.h"

namespace tl {

void readWangweiDashiXml(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readXmlClientRows(context, path, [&](int element, int row) {
    // Seven child elements in order: name, MAC, then IP, mask, gateway and
    // the two DNS servers as IP numbers; a missing one reads as empty.
    std::span<const int> children = context.xml.children(element);
    std::array<std::string, 7> fields;
    for (size_t k = 0; k < fields.size() && k < children.size(); ++k) context.xml.nodeText(children[k], fields[k]);
    grid.setCell(row, kColName, fields[0]);
    grid.setCell(row, kColIp, text::ipNumberToDotted(fields[2]));
    grid.setCell(row, kColMac, text::groupMac(fields[1]));
    grid.setCell(row, kColMask, text::ipNumberToDotted(fields[3]));
    grid.setCell(row, kColGateway, text::ipNumberToDotted(fields[4]));
    grid.setCell(row, kColDns1, text::ipNumberToDotted(fields[5]));
    grid.setCell(row, kColDns2, text::ipNumberToDotted(fields[6]));
  });
}

}  // namespace tl
