#pragma once
// The local date and time, taken through a replaceable function so that the
// export's file names can be fixed in tests.
#include <functional>
#include <string>

namespace tl {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

using LocalClock = std::function<LocalDateTime()>;

LocalDateTime currentLocalTime();

// Year, then month, day, hour, minute and second in two digits each:
// 20240105093007 (fourteen digits for the years 1000 to 9999).
std::string exportTimestamp(const LocalDateTime& time);

}  // namespace tl
