#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace skerrow {

LocalTime Win32Clock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  LocalTime time;
  time.year = now.wYear;
  time.month = now.wMonth;
  time.day = now.wDay;
  time.hour = now.wHour;
  time.minute = now.wMinute;
  time.second = now.wSecond;
  time.valid = true;
  return time;
}

}  // namespace skerrow
