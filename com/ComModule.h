// The server's module bookkeeping: its handle and path, how many of its COM
// objects are alive and how many server locks are held. DllCanUnloadNow
// answers from the two counts. These counters are the COM machinery of the
// server itself; they change only through Interlocked calls.
#pragma once

#include <windows.h>

#include <string>

namespace skerrow::com {

// Called once from DllMain's process-attach notification.
void SetModuleHandle(HINSTANCE module);
HINSTANCE ModuleHandle();
// The full path of the DLL ("%MODULE%" of the registry entries); empty when
// it cannot be read.
std::wstring ModulePath();

// Every object the module hands out (class factories included) counts from
// its construction to its destruction.
void ObjectCreated();
void ObjectDestroyed();
// IClassFactory::LockServer.
void LockServer(bool lock);
// No object alive and no lock held.
bool CanUnload();

}  // namespace skerrow::com
