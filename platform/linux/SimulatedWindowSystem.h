// A window system without windows: tests drive it, the command line leaves it
// idle.
#pragma once

#include "platform/WindowSystem.h"

namespace skerrow {

class SimulatedWindowSystem : public WindowSystem {};

}  // namespace skerrow
