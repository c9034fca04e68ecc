#pragma once
// The values that fill the columns a list format lacks: the local subnet
// mask, the local gateway and the local DNS servers. Every call asks the
// platform afresh; an override given for the run (tlconv's NETWORK options)
// stands in place of what the machine reports.
#include <optional>
#include <string>

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
  platform::LocalNetwork& platform_;
  const NetworkOverrides& overrides_;
};

}  // namespace tl
