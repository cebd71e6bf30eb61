#include "platform/win32/ThreadTimers.h"

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

namespace skerrow::win32 {

namespace {

using Callback = std::shared_ptr<const std::function<void()>>;

// The running timers of the process. Ticks come on the thread that started
// the timer; the lock covers timers started on several threads.
struct TimerTable {
  std::mutex lock;
  std::map<UINT_PTR, Callback> callbacks;
};

TimerTable& Timers() {
  static TimerTable table;
  return table;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD) {
  Callback callback;
  {
    TimerTable& timers = Timers();
    std::lock_guard<std::mutex> hold(timers.lock);
    auto found = timers.callbacks.find(id);
    if (found == timers.callbacks.end()) return;  // a tick queued before the stop
    callback = found->second;
  }
  try {
    (*callback)();
  } catch (...) {
    // Nothing may leave the timer procedure into the message loop; the next
    // tick runs the callback again.
  }
}

}  // namespace

TimerId StartThreadTimer(unsigned periodMs, std::function<void()> callback) {
  if (!callback) return kNoTimer;
  auto shared = std::make_shared<const std::function<void()>>(std::move(callback));
  TimerTable& timers = Timers();
  // Held across SetTimer, so that no tick can look the id up before it is
  // in the table.
  std::lock_guard<std::mutex> hold(timers.lock);
  const UINT_PTR id = SetTimer(nullptr, 0, periodMs, OnTick);
  if (id == 0) return kNoTimer;
  timers.callbacks[id] = std::move(shared);
  return static_cast<TimerId>(id);
}

bool StopThreadTimer(TimerId timer) {
  if (timer == kNoTimer) return false;
  Callback stopped;  // released after the lock
  {
    TimerTable& timers = Timers();
    std::lock_guard<std::mutex> hold(timers.lock);
    auto found = timers.callbacks.find(static_cast<UINT_PTR>(timer));
    if (found == timers.callbacks.end()) return false;
    stopped = std::move(found->second);
    timers.callbacks.erase(found);
  }
  return KillTimer(nullptr, static_cast<UINT_PTR>(timer)) != FALSE;
}

}  // namespace skerrow::win32
