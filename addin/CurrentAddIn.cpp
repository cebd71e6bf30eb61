#include "addin/CurrentAddIn.h"

namespace skerrow {

namespace {
Skerrow* current = nullptr;
}

Skerrow* CurrentAddIn() {
  return current;
}

void SetCurrentAddIn(Skerrow* addIn) {
  current = addIn;
}

}  // namespace skerrow
