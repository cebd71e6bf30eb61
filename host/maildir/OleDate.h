// OLE automation dates: days since 1899-12-30 00:00 with the time of day as
// the fraction, in local time as the mail client shows them.
#pragma once

#include <ctime>

namespace skerrow::maildir {

class OleDate {
 public:
  // The local OLE date of a moment (the process's time zone, TZ).
  static double FromUnixTime(std::time_t moment);
  // The OLE date of a calendar date and time, taken as they are.
  static double FromCalendar(int year, int month, int day, int hour, int minute, int second);
};

}  // namespace skerrow::maildir
