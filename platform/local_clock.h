#pragma once
// The local date and time, taken through a replaceable function so that the
// names of exported files and of the copies kept before an import can be
// fixed in tests.
#include <functional>

namespace tl::platform {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

using LocalClock = std::function<LocalDateTime()>;

LocalDateTime currentLocalTime();

}  // namespace tl::platform
