#include "com/ClassFactory.h"

#include <new>

#include "com/Guids.h"
#include "com/PropPageObject.h"
#include "com/SkerrowObject.h"

namespace skerrow::com {

void* ClassFactory::Find(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    return static_cast<IClassFactory*>(this);
  }
  return nullptr;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  try {
    return creator_(riid, object);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  com::LockServer(lock != FALSE);
  return S_OK;
}

HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  ObjectCreator creator = nullptr;
  if (IsEqualCLSID(rclsid, kClsidSkerrow)) {
    creator = &SkerrowObject::Create;
  } else if (IsEqualCLSID(rclsid, kClsidPropPage)) {
    creator = &PropPageObject::Create;
  } else {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  ClassFactory* factory = new (std::nothrow) ClassFactory(creator);
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT status = factory->QueryInterface(riid, object);
  factory->Release();
  return status;
}

}  // namespace skerrow::com
