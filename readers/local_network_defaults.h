#pragma once
// The values that fill the columns a list format lacks: the local subnet
// mask, the local gateway and the local DNS servers. An override given for
// the run (tlconv's NETWORK options) stands in place of what the machine
// reports.
//
// Readers ask for these once per client row. Outside a read scope every call
// asks the platform afresh; while a ReadScope is alive the platform is asked
// at most once for the adapters and once for the DNS text, so one list read
// sees the machine as it was when the read began and costs one query, not
// one per row, while the next read asks again.
#include <optional>
#include <string>
#include <vector>

#include "core/client_grid.h"
#include "platform/local_network.h"

namespace tl {

struct NetworkOverrides {
  std::optional<std::string> mask;
  std::optional<std::string> gateway;
  std::optional<std::string> dnsText;
};

class LocalNetworkDefaults {
 public:
  LocalNetworkDefaults(platform::LocalNetwork& platform, const NetworkOverrides& overrides)
      : platform_(platform), overrides_(overrides) {}
  LocalNetworkDefaults(const LocalNetworkDefaults&) = delete;
  LocalNetworkDefaults& operator=(const LocalNetworkDefaults&) = delete;

  // One list read. Scopes nest; the answers are dropped when the outermost
  // one ends.
  class ReadScope {
   public:
    explicit ReadScope(LocalNetworkDefaults& defaults) : defaults_(defaults) { ++defaults_.scopeDepth_; }
    ~ReadScope() {
      if (--defaults_.scopeDepth_ == 0) defaults_.forget();
    }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

   private:
    LocalNetworkDefaults& defaults_;
  };

  // The mask of the last address entry of the last adapter.
  std::string subnetMask();
  // The last gateway entry of the last adapter.
  std::string gateway();
  // The DNS server text of the last adapter (empty when it has none, even if
  // an earlier adapter has one).
  std::string dnsText();

  // Sets DNS1 and DNS2 of `row` from the local DNS text: nothing when it is
  // empty; the whole text into DNS1 when it has no ","; else the first two
  // pieces of its split.
  void fillDns(ClientGrid& grid, int row);

 private:
  struct AdapterAnswer {
    bool ok = false;
    std::vector<platform::AdapterInfo> adapters;
  };

  const AdapterAnswer& adapters();
  void forget();

  platform::LocalNetwork& platform_;
  const NetworkOverrides& overrides_;
  int scopeDepth_ = 0;
  std::optional<AdapterAnswer> adapters_;
  std::optional<std::string> dnsText_;
  std::optional<std::vector<std::string>> dnsPieces_;  // dnsText_ split at ","
};

}  // namespace tl
