// Loading and walking an XML client list: XmlDocument against pugixml on the
// same text. The list has 10,000 clients (about 2 MB) with spaces around "="
// and a CDATA section per client, the two places where a careless loader
// turns quadratic; the scaled runs show the growth with the document size.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <string>

#include "data/xml/xml_document.h"

namespace {

std::string makeClientList(int clients) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n<NMenu Version=\"1\">\n";
  for (int i = 1; i <= clients; ++i) {
    std::string n = std::to_string(i);
    xml += "  <Computer Name = \"PC" + n + "\" MAC = \"00:11:22:" + std::to_string(10 + i % 90) + ":" +
           std::to_string(10 + i / 90 % 90) + ":aa\" IP = \"192.168." + std::to_string(i / 250) + "." +
           std::to_string(i % 250 + 1) +
           "\" Netmask = \"255.255.255.0\" Gateway = \"192.168.0.1\" Group = \"default\">\n"
           "    <Desc><![CDATA[client <" + n + "> of the hall & its seats]]></Desc>\n"
           "    <Seat>row " + n + "</Seat>\n"
           "  </Computer>\n";
  }
  xml += "</NMenu>\n";
  return xml;
}

constexpr const char* kAttributes[] = {"Name", "MAC", "IP", "Netmask", "Gateway"};

// Loads and reads every client's five attributes and its description.
void XmlDocumentLoadAndWalk(benchmark::State& state) {
  const std::string xml = makeClientList(int(state.range(0)));
  tl::XmlDocument doc;
  for (auto _ : state) {
    doc.load(xml);
    int clients = 0;
    doc.childCount("@1", clients);
    size_t bytes = 0;
    std::string value, text;
    for (int i = 1; i <= clients; ++i) {
      std::string path = "@1/@" + std::to_string(i);
      for (const char* name : kAttributes) {
        doc.attributeValue(path, name, value);
        bytes += value.size();
      }
      doc.nodeText(path + "/@1", text);
      bytes += text.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
  state.SetComplexityN(state.range(0));
  state.counters["doc_bytes"] = double(xml.size());
}
BENCHMARK(XmlDocumentLoadAndWalk)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlDocumentLoadAndWalk)
    ->Name("XmlDocumentScaling")
    ->RangeMultiplier(4)
    ->Range(2500, 160000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void PugixmlLoadAndWalk(benchmark::State& state) {
  const std::string xml = makeClientList(int(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document doc;
    doc.load_buffer(xml.data(), xml.size());
    size_t bytes = 0;
    for (pugi::xml_node client : doc.document_element().children()) {
      for (const char* name : kAttributes) bytes += std::string(client.attribute(name).value()).size();
      bytes += std::string(client.first_child().child_value()).size();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(xml.size()));
  state.counters["doc_bytes"] = double(xml.size());
}
BENCHMARK(PugixmlLoadAndWalk)->Arg(10000)->Unit(benchmark::kMillisecond);

// Pathological input for the loader: one long tag with thousands of " = "
// and a document of nothing but CDATA sections.
void XmlDocumentManyEqualsAndSections(benchmark::State& state) {
  std::string xml = "<r";
  for (int i = 0; i < state.range(0); ++i) xml += " a" + std::to_string(i) + " \t =  \"v\"";
  xml += "/><s>";
  for (int i = 0; i < state.range(0); ++i) xml += "<![CDATA[<x>]]>";
  xml += "</s>";
  tl::XmlDocument doc;
  for (auto _ : state) benchmark::DoNotOptimize(doc.load(xml));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(XmlDocumentManyEqualsAndSections)
    ->RangeMultiplier(4)
    ->Range(4096, 262144)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
