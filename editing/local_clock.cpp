#include "editing/local_clock.h"

#include <cstdio>
#include <ctime>

namespace tl {

LocalDateTime currentLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string exportTimestamp(const LocalDateTime& t) {
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buffer;
}

}  // namespace tl
