// The DLL's entry points. They only forward: to the module bookkeeping, the
// class factories and the registration; nothing thrown crosses them.
#include <windows.h>

#include "com/ClassFactory.h"
#include "com/ComModule.h"
#include "com/ServerRegistration.h"
#include "options/FilterOptions.h"

namespace {

template <class Call>
HRESULT Shielded(Call&& call) {
  try {
    return call();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    skerrow::com::SetModuleHandle(module);
    // The process's one options record exists from the module's load on, with
    // its construction values; nothing is read before the add-in connects.
    try {
      skerrow::TheFilterOptions();
    } catch (...) {
      return FALSE;
    }
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* object) {
  return Shielded([&] { return skerrow::com::GetClassObject(rclsid, riid, object); });
}

STDAPI DllCanUnloadNow() {
  return skerrow::com::CanUnload() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return Shielded([] { return skerrow::com::RegisterServer(); });
}

STDAPI DllUnregisterServer() {
  return Shielded([] { return skerrow::com::UnregisterServer(); });
}
