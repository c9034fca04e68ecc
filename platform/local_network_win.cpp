#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

#include "platform/local_network.h"

namespace tl::platform {
namespace {

// The fixed-size texts of IP Helper are NUL-terminated, but a full array
// without one must not be read past its end.
template <size_t N>
std::string fixedText(const char (&text)[N]) {
  return std::string(text, strnlen(text, N));
}

// Every entry of an address list; the first entry is part of the adapter
// record, so an adapter without an address still has it (empty or 0.0.0.0).
std::vector<std::string> masksOf(const IP_ADDR_STRING& first) {
  std::vector<std::string> masks;
  for (const IP_ADDR_STRING* entry = &first; entry; entry = entry->Next) masks.push_back(fixedText(entry->IpMask.String));
  return masks;
}

std::vector<std::string> addressesOf(const IP_ADDR_STRING& first) {
  std::vector<std::string> addresses;
  for (const IP_ADDR_STRING* entry = &first; entry; entry = entry->Next)
    addresses.push_back(fixedText(entry->IpAddress.String));
  return addresses;
}

// A registry text value: REG_SZ as stored, REG_EXPAND_SZ with its
// environment references expanded. Values of any other type, and values
// that are missing, give the empty text.
std::string registryText(HKEY key, const char* valueName) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  std::vector<char> data(size_t(size) + 1, '\0');
  if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  // The stored text need not end in a NUL; the extra zero byte ends it.
  std::string value(data.data(), strnlen(data.data(), size));
  if (type == REG_SZ || value.empty()) return value;
  DWORD needed = ExpandEnvironmentStringsA(value.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::vector<char> expanded(needed + 1, '\0');
  if (ExpandEnvironmentStringsA(value.c_str(), expanded.data(), needed + 1) == 0) return {};
  return expanded.data();
}

class WindowsLocalNetwork : public LocalNetwork {
 public:
  bool adapters(std::vector<AdapterInfo>& out) override {
    out.clear();
    std::vector<unsigned char> buffer;
    ULONG size = 0;
    DWORD result = GetAdaptersInfo(nullptr, &size);
    // An adapter that appears between the sizing call and the reading call
    // makes the buffer too small; ask again with the new size instead of
    // reporting no adapters.
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
      buffer.assign(size, 0);
      result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result != NO_ERROR || buffer.empty()) return false;
    for (const IP_ADAPTER_INFO* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); adapter;
         adapter = adapter->Next)
      out.push_back({fixedText(adapter->AdapterName), masksOf(adapter->IpAddressList), addressesOf(adapter->GatewayList)});
    return true;
  }

  // The statically configured servers of one adapter. The key names the
  // control set ControlSet001 itself; servers from DHCP are not looked at.
  std::string dnsServerText(const std::string& adapterName) override {
    const std::string keyPath = "SYSTEM\\ControlSet001\\Services\\Tcpip\\Parameters\\Interfaces\\" + adapterName;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    std::string text = registryText(key, "NameServer");
    RegCloseKey(key);
    return text;
  }
};

}  // namespace

std::unique_ptr<LocalNetwork> makeSystemLocalNetwork() { return std::make_unique<WindowsLocalNetwork>(); }

}  // namespace tl::platform
