#include "host/memory/StoreState.h"

namespace skerrow {

StoreState::StoreState() : applicationSinks(EventInterface::ApplicationEvents, queue) {}

}  // namespace skerrow
