#include "readers/wangwei_dashi_xml_reader.h"

#include <array>

#include "data/text/addresses.h"
#include "platform/file_system.h"

namespace tl {

void readWangweiDashiXml(ReaderContext& context, const std::string& path) {
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
    std::array<std::string, 7> fields;
    for (size_t k = 0; k < fields.size(); ++k)
      context.xml.nodeText("@1/@" + number + "/@" + std::to_string(k + 1), fields[k]);
    context.grid.setCell(row, kColName, fields[0]);
    context.grid.setCell(row, kColIp, text::ipNumberToDotted(fields[2]));
    context.grid.setCell(row, kColMac, text::groupMac(fields[1]));
    context.grid.setCell(row, kColMask, text::ipNumberToDotted(fields[3]));
    context.grid.setCell(row, kColGateway, text::ipNumberToDotted(fields[4]));
    context.grid.setCell(row, kColDns1, text::ipNumberToDotted(fields[5]));
    context.grid.setCell(row, kColDns2, text::ipNumberToDotted(fields[6]));
  }
}

}  // namespace tl
