#include "platform/linux/LinuxClock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace skerrow {
namespace {

TEST(LinuxClock, GivesTheLocalCalendarTimeWithMonthsFromOne) {
  std::time_t before = std::time(nullptr);
  LocalTime now = LinuxClock().Now();
  std::tm local{};
  localtime_r(&before, &local);
  ASSERT_TRUE(now.valid);
  // Taken a moment apart: only the date can be compared, except at midnight.
  if (local.tm_hour == 23 && local.tm_min == 59) GTEST_SKIP() << "too close to midnight";
  EXPECT_EQ(now.year, local.tm_year + 1900);
  EXPECT_EQ(now.month, local.tm_mon + 1);
  EXPECT_EQ(now.day, local.tm_mday);
  EXPECT_GE(now.second, 0);
  EXPECT_LE(now.second, 59);
}

}  // namespace
}  // namespace skerrow
