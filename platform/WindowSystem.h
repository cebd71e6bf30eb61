// The window system: top-level windows, their titles, placement and show
// state, window procedures, posted messages, thread timers and the
// notification area. On Linux a simulated window system implements it.
#pragma once

namespace skerrow {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
};

}  // namespace skerrow
