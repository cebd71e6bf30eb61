// A clock that says whatever time the test sets (by default 12 July 2026,
// 13:50:00).
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class SettableClock : public Clock {
 public:
  LocalTime now{2026, 7, 12, 13, 50, 0, true};

  LocalTime Now() override { return now; }
};

}  // namespace skerrow
