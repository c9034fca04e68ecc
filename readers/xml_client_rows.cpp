#include "readers/xml_client_rows.h"

#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace tl {

void startXmlList(ReaderContext& context, const std::string& path) {
  context.grid.clear();
  std::string bytes;
  if (!platform::readFileBytes(path, bytes)) bytes.clear();
  context.xml.loadOwned(std::move(bytes));
}

void readXmlClientRows(ReaderContext& context, const std::string& path,
                       const std::function<void(int element, int row)>& fillRow) {
  startXmlList(context, path);

  std::span<const int> clients = context.xml.children(context.xml.find("@1"));
  context.grid.setStatus(kCountField, countFieldText(static_cast<long long>(clients.size())));
  int number = 0;
  for (int element : clients) fillRow(element, context.grid.appendRow(std::to_string(++number)));
}

}  // namespace tl
