#pragma once
// Fakes of the platform interfaces and a converter wired to them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "tests/support/fake_operator_ui.h"

namespace tl::test {

class FakeLocalNetwork : public platform::LocalNetwork {
 public:
  bool adapters(std::vector<platform::AdapterInfo>& out) override {
    ++calls;
    out = adapterList;
    return ok;
  }
  std::string dnsServerText(const std::string& adapterName) override {
    auto it = dns.find(adapterName);
    return it == dns.end() ? std::string() : it->second;
  }

  // One adapter with one address, one gateway and a DNS text.
  void setSingle(const std::string& mask, const std::string& gateway, const std::string& dnsText) {
    adapterList = {{"{A1}", {mask}, {gateway}}};
    dns = {{"{A1}", dnsText}};
  }

  std::vector<platform::AdapterInfo> adapterList;
  std::map<std::string, std::string> dns;
  bool ok = true;
  int calls = 0;
};

// A converter over the recording UI, the system's INI reader and a fake
// network (one adapter 255.255.255.0 / 192.168.1.1 / DNS "10.0.0.1,10.0.0.2").
struct TestApp {
  TestApp() : ini(platform::makeSystemIniFiles()), converter(PlatformServices{ui, *ini, network}) {
    network.setSingle("255.255.255.0", "192.168.1.1", "10.0.0.1,10.0.0.2");
  }
  ReaderContext context() { return converter.readerContext(); }
  ClientGrid& grid() { return converter.grid(); }

  FakeOperatorUi ui;
  std::unique_ptr<platform::IniFiles> ini;
  FakeLocalNetwork network;
  ListConverter converter;
};

}  // namespace tl::test
