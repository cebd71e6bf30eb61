// The local time of Windows (GetLocalTime).
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
};

}  // namespace skerrow
