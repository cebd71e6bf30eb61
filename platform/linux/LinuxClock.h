// The local time of the machine (the TZ rules of the C library).
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class LinuxClock : public Clock {
 public:
  LocalTime Now() override;
};

}  // namespace skerrow
