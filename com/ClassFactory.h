// The class factory of one of the module's classes. CreateInstance builds a
// new object through the class's creator; nothing it does throws across the
// COM boundary (a failure to allocate answers E_OUTOFMEMORY).
#pragma once

#include <unknwn.h>
#include <windows.h>

#include "com/ComObject.h"

namespace skerrow::com {

// Creates an object of the class and asks it for riid; the object keeps only
// the reference that *object holds.
using ObjectCreator = HRESULT (*)(REFIID riid, void** object);

class ClassFactory final : public ServerObject<IClassFactory> {
 public:
  explicit ClassFactory(ObjectCreator creator) : creator_(creator) {}

  void* Find(REFIID riid) override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ObjectCreator creator_;
};

// DllGetClassObject: the factory of rclsid asked for riid, or
// CLASS_E_CLASSNOTAVAILABLE for a class the module does not serve.
HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** object);

}  // namespace skerrow::com
