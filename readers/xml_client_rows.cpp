#include "readers/xml_client_rows.h"

#include "platform/file_system.h"

namespace tl {

void startXmlList(ReaderContext& context, const std::string& path) {
  context.grid.clear();
  std::string bytes;
  if (!platform::readFileBytes(path, bytes)) bytes.clear();
  context.xml.load(bytes);
}

void readXmlClientRows(ReaderContext& context, const std::string& path,
                       const std::function<void(const std::string& element, int row)>& fillRow) {
  startXmlList(context, path);

  int clients = 0;
  context.xml.childCount("@1", clients);
  context.grid.setStatus(kCountField, countFieldText(clients));
  for (int i = 1; i <= clients; ++i) {
    std::string number = std::to_string(i);
    fillRow("@1/@" + number, context.grid.appendRow(number));
  }
}

}  // namespace tl
