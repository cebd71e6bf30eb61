#include "com/ComModule.h"

#include "host/outlook/OutlookObject.h"

namespace skerrow::com {

namespace {
HINSTANCE moduleHandle = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;
}  // namespace

void SetModuleHandle(HINSTANCE module) {
  moduleHandle = module;
}

HINSTANCE ModuleHandle() {
  return moduleHandle;
}

std::wstring ModulePath() {
  // Long paths: grow the buffer until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(moduleHandle, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

void ObjectCreated() {
  InterlockedIncrement(&liveObjects);
}

void ObjectDestroyed() {
  InterlockedDecrement(&liveObjects);
}

void LockServer(bool lock) {
  if (lock) {
    InterlockedIncrement(&serverLocks);
  } else {
    InterlockedDecrement(&serverLocks);
  }
}

bool CanUnload() {
  // An event sink that Outlook still holds runs this module's code when it
  // calls or releases it, so it keeps the module loaded like an object does.
  return InterlockedCompareExchange(&liveObjects, 0, 0) == 0 &&
         InterlockedCompareExchange(&serverLocks, 0, 0) == 0 && outlook::LiveEventSinks() == 0;
}

}  // namespace skerrow::com
