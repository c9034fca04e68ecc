// Reading a 10,000-client list of each XML family from its file (网维大师,
// 方格子XML, 快吧, 盛九PXD) against pugixml loading the same file and
// visiting every element, attribute value and text of it.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/support/read_list_loop.h"
#include "platform/file_system.h"
#include "readers/fanggezi_xml_reader.h"
#include "readers/kuaiba_xml_reader.h"
#include "readers/shengjiu_pxd_reader.h"
#include "readers/wangwei_dashi_xml_reader.h"

namespace {

constexpr int kClients = 10000;
constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n";

std::string wangweiDashi() {
  std::string xml = std::string(kDeclaration) + "<ClientInfor>\n";
  char line[400];
  for (int i = 0; i < kClients; ++i) {
    std::snprintf(line, sizeof line,
                  " <Client><Name>网吧%05d</Name><Mac>001a2b%06x</Mac><Ip>%u</Ip><Mask>4294967040</Mask>"
                  "<Gate>167772161</Gate><Dns1>134744072</Dns1><Dns2></Dns2></Client>\n",
                  i, i, 167772160u + unsigned(i));
    xml += line;
  }
  return xml + "</ClientInfor>\n";
}

std::string fanggeziXml() {
  std::string xml = std::string(kDeclaration) + "<NMenu Version=\"1\">\n";
  char line[400];
  for (int i = 0; i < kClients; ++i) {
    std::snprintf(line, sizeof line,
                  "<Computer Name=\"网吧%05d\" MAC=\"00:1a:2b:%02x:%02x:%02x\" IP=\"10.0.%d.%d\" "
                  "Netmask=\"255.255.0.0\" Gateway=\"10.0.0.1\"/>\n",
                  i, i >> 16, (i >> 8) & 255, i & 255, i >> 8, i & 255);
    xml += line;
  }
  return xml + "</NMenu>\n";
}

std::string kuaiba() {
  std::string xml = std::string(kDeclaration) + "<KB Version=\"3\"><Clients>\n";
  char line[400];
  for (int i = 0; i < kClients; ++i) {
    std::snprintf(line, sizeof line, "<C cName=\"网吧%05d\" MAC=\"001a2b%06x\" clientIP=\"10.0.%d.%d\"/>\n", i, i,
                  i >> 8, i & 255);
    xml += line;
  }
  return xml + "</Clients></KB>\n";
}

std::string shengjiuPxd() {
  std::string xml = std::string(kDeclaration) + "<PXD Version=\"2\"><List>\n";
  char line[400];
  for (int i = 0; i < kClients; ++i) {
    std::snprintf(line, sizeof line, "<W ComName=\"网吧%05d\" MAC=\"001a2b%06x\" WksIP=\"10.0.%d.%d\"/>\n", i, i,
                  i >> 8, i & 255);
    xml += line;
  }
  return xml + "</List></PXD>\n";
}

struct Family {
  const char* file;
  std::string (*document)();
  tl::ListReader reader;
};

const Family kWangweiDashi{"tl_bench_wangwei_dashi.xml", wangweiDashi, tl::readWangweiDashiXml};
const Family kFanggeziXml{"tl_bench_fanggezi.xml", fanggeziXml, tl::readFanggeziXml};
const Family kKuaiba{"tl_bench_kuaiba.xml", kuaiba, tl::readKuaibaXml};
const Family kShengjiuPxd{"tl_bench_pxd.xml", shengjiuPxd, tl::readShengjiuPxd};

// The family's list file, written once per program run and removed at its end.
struct ListFile {
  explicit ListFile(const Family& family)
      : path((std::filesystem::temp_directory_path() / family.file).string()) {
    tl::platform::writeFileBytes(path, family.document());
  }
  ~ListFile() { std::remove(path.c_str()); }
  std::string path;
};

template <const Family& kFamily>
const std::string& listFile() {
  static const ListFile made(kFamily);
  return made.path;
}

template <const Family& kFamily>
void BM_XmlRead(benchmark::State& state) {
  tl::bench::readListLoop(state, kFamily.reader, listFile<kFamily>(), kClients);
  state.SetItemsProcessed(state.iterations() * kClients);
}

size_t visit(pugi::xml_node node) {
  size_t bytes = 0;
  for (pugi::xml_attribute a : node.attributes()) bytes += std::string(a.value()).size();
  for (pugi::xml_node child : node.children())
    bytes += child.type() == pugi::node_element ? visit(child) : std::string(child.value()).size();
  return bytes;
}

template <const Family& kFamily>
void BM_Pugixml(benchmark::State& state) {
  const std::string& path = listFile<kFamily>();
  for (auto _ : state) {
    pugi::xml_document doc;
    if (!doc.load_file(path.c_str())) state.SkipWithError("pugixml failed");
    benchmark::DoNotOptimize(visit(doc.document_element()));
  }
  state.SetItemsProcessed(state.iterations() * kClients);
}

BENCHMARK(BM_XmlRead<kWangweiDashi>)->Name("BM_XmlRead/WangweiDashi")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml<kWangweiDashi>)->Name("BM_Pugixml/WangweiDashi")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlRead<kFanggeziXml>)->Name("BM_XmlRead/FanggeziXml")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml<kFanggeziXml>)->Name("BM_Pugixml/FanggeziXml")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlRead<kKuaiba>)->Name("BM_XmlRead/Kuaiba")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml<kKuaiba>)->Name("BM_Pugixml/Kuaiba")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlRead<kShengjiuPxd>)->Name("BM_XmlRead/ShengjiuPxd")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml<kShengjiuPxd>)->Name("BM_Pugixml/ShengjiuPxd")->Unit(benchmark::kMillisecond);

}  // namespace
