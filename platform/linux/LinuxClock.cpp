#include "platform/linux/LinuxClock.h"

#include <ctime>

namespace skerrow {

LocalTime LinuxClock::Now() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  LocalTime time;
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &parts) == nullptr) return time;
  time.year = parts.tm_year + 1900;
  time.month = parts.tm_mon + 1;
  time.day = parts.tm_mday;
  time.hour = parts.tm_hour;
  time.minute = parts.tm_min;
  time.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;  // a leap second reads as :59
  time.valid = true;
  return time;
}

}  // namespace skerrow
