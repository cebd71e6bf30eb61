#include "com/ServerRegistration.h"

#include <oleauto.h>

#include <string>

#include "com/ClassRegistrations.h"
#include "com/ComModule.h"
#include "com/Guids.h"

namespace skerrow::com {

namespace {

struct ClassScript {
  const GUID& clsid;
  const RegistryScript& script;
};

RegistryPlaceholders PlaceholdersFor(const GUID& clsid, const std::wstring& module) {
  return RegistryPlaceholders{module, GuidText(clsid), GuidText(kLibId)};
}

HRESULT RegisterTypeLibrary(const std::wstring& module) {
  ITypeLib* library = nullptr;
  const HRESULT status = LoadTypeLibEx(module.c_str(), REGKIND_REGISTER, &library);
  if (SUCCEEDED(status)) library->Release();
  return status;
}

HRESULT UnregisterTypeLibrary() {
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  // A library that is not registered (never was, or already removed) is not
  // a failure; UnRegisterTypeLib itself would answer an error for it.
  BSTR path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(kLibId, kLibMajorVersion, kLibMinorVersion, LOCALE_NEUTRAL,
                                   &path))) {
    return S_OK;
  }
  SysFreeString(path);
  return UnRegisterTypeLib(kLibId, kLibMajorVersion, kLibMinorVersion, LOCALE_NEUTRAL, kind);
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring module = ModulePath();
  if (module.empty()) return HRESULT_FROM_WIN32(GetLastError());
  const ClassScript classes[] = {{kClsidSkerrow, SkerrowRegistryScript()},
                                 {kClsidPropPage, PropPageRegistryScript()}};
  for (const ClassScript& entry : classes) {
    const HRESULT status = ApplyRegistryScript(entry.script, PlaceholdersFor(entry.clsid, module));
    if (FAILED(status)) return status;
  }
  return RegisterTypeLibrary(module);
}

HRESULT UnregisterServer() {
  const std::wstring module = ModulePath();
  const ClassScript classes[] = {{kClsidSkerrow, SkerrowRegistryScript()},
                                 {kClsidPropPage, PropPageRegistryScript()}};
  HRESULT first = S_OK;
  for (const ClassScript& entry : classes) {
    const HRESULT status = RemoveRegistryScript(entry.script, PlaceholdersFor(entry.clsid, module));
    if (FAILED(status) && SUCCEEDED(first)) first = status;
  }
  const HRESULT status = UnregisterTypeLibrary();
  if (FAILED(status) && SUCCEEDED(first)) first = status;
  return first;
}

}  // namespace skerrow::com
