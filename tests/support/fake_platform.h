#pragma once
// Fakes of the platform interfaces and a converter wired to them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/list_converter.h"
#include "platform/ini_files.h"
#include "platform/local_network.h"
#include "platform/processes.h"
#include "platform/service_control.h"
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

// A process table: executable paths by process id; findProcess compares the
// file names without regard to ASCII case, like the system's.
class FakeProcesses : public platform::Processes {
 public:
  uint32_t findProcess(const std::string& executableName) override {
    for (const auto& [id, path] : paths) {
      size_t cut = path.find_last_of("\\/");
      std::string file = cut == std::string::npos ? path : path.substr(cut + 1);
      if (lower(file) == lower(executableName)) return id;
    }
    return 0;
  }
  std::string executablePath(uint32_t processId) override {
    auto it = paths.find(processId);
    return it == paths.end() ? std::string() : it->second;
  }

  std::map<uint32_t, std::string> paths;  // id 0 is the tool itself

 private:
  static std::string lower(std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
  }
};

class FakeServiceControl : public platform::ServiceControl {
 public:
  platform::ServiceRestart restart(const std::string& serviceName) override {
    restarted.push_back(serviceName);
    return result;
  }
  platform::ServiceRestart result = platform::ServiceRestart::Restarted;
  std::vector<std::string> restarted;
};

// A converter over the recording UI, the system's INI reader and a fake
// network (one adapter 255.255.255.0 / 192.168.1.1 / DNS "10.0.0.1,10.0.0.2"),
// an empty process table and a service that restarts.
struct TestApp {
  TestApp() : ini(platform::makeSystemIniFiles()), converter(PlatformServices{ui, *ini, network, processes, services}) {
    network.setSingle("255.255.255.0", "192.168.1.1", "10.0.0.1,10.0.0.2");
  }
  ReaderContext context() { return converter.readerContext(); }
  ClientGrid& grid() { return converter.grid(); }

  FakeOperatorUi ui;
  std::unique_ptr<platform::IniFiles> ini;
  FakeLocalNetwork network;
  FakeProcesses processes;
  FakeServiceControl services;
  ListConverter converter;
};

}  // namespace tl::test
