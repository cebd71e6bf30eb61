// Thread timers without a window: SetTimer(NULL, ...) delivers each tick
// through the thread's message loop to one static timer procedure, which finds
// the callback by the timer's id in a table of this module. The table is the
// module's own because the system hands the procedure nothing else to go by.
// Callbacks never let an exception out into the message loop.
#pragma once

#include <functional>

#include "platform/WindowSystem.h"

namespace skerrow::win32 {

// kNoTimer when the system has no timer left or the callback is empty.
TimerId StartThreadTimer(unsigned periodMs, std::function<void()> callback);
// False when no such timer runs. A callback that is running finishes.
bool StopThreadTimer(TimerId timer);

}  // namespace skerrow::win32
