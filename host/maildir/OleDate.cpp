#include "host/maildir/OleDate.h"

namespace skerrow::maildir {

namespace {

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

}  // namespace

double OleDate::FromUnixTime(std::time_t moment) {
  std::tm local{};
  if (localtime_r(&moment, &local) == nullptr) return 0.0;
  return FromCalendar(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec);
}

double OleDate::FromCalendar(int year, int month, int day, int hour, int minute, int second) {
  const long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
      DaysFromCivil(1899, 12, 30);
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the fraction still counts forward from midnight, but
  // OLE dates store such times as -(days + fraction).
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

}  // namespace skerrow::maildir
