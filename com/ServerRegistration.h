// DllRegisterServer and DllUnregisterServer: both classes' registry scripts
// with the module's path, then the embedded type library.
#pragma once

#include <windows.h>

namespace skerrow::com {

// Writes the entries of both classes, then registers the type library; the
// first failing status, else S_OK. Nothing is logged.
HRESULT RegisterServer();
// Removes what RegisterServer wrote (never the keys above the owned ones) and
// unregisters the type library; the first failing status, else S_OK. What
// is already gone is not a failure.
HRESULT UnregisterServer();

}  // namespace skerrow::com
