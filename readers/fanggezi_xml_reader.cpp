#include "readers/fanggezi_xml_reader.h"

#include <iterator>

#include "data/text/gbk_text.h"
#include "readers/xml_client_rows.h"

namespace tl {
namespace {

// The attributes a client row takes, looked up in one pass per client.
constexpr std::string_view kNames[] = {"Name", "IP", "MAC", "Netmask", "Gateway"};

}  // namespace

void readFanggeziXml(ReaderContext& context, const std::string& path) {
  ClientGrid& grid = context.grid;
  readXmlClientRows(context, path, [&](int element, int row) {
    // Fresh for every client: a missing attribute is empty, never the value
    // of the client before it (two PCs with one MAC would be imported).
    std::string_view values[std::size(kNames)];
    context.xml.attributeViews(element, kNames, values);
    const auto [name, ip, mac, mask, gateway] = values;
    grid.setCell(row, kColName, std::string(name));
    grid.setCell(row, kColIp, std::string(ip));
    grid.setCell(row, kColMac, text::replaceAll(mac, ":", "-"));
    grid.setCell(row, kColMask, std::string(mask));
    grid.setCell(row, kColGateway, std::string(gateway));
    context.network.fillDns(grid, row);
  });
}

}  // namespace tl
