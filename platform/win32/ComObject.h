// IUnknown written once for every COM object of the Windows home (the
// add-in's classes, the event sinks, the HTML engine's client site, the test
// stand-in's objects): a reference count that acts on the value
// InterlockedIncrement and InterlockedDecrement return, and QueryInterface
// over the interfaces the object answers for. An object starts with the one
// reference its maker holds and deletes itself when the last one goes.
#pragma once

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <oaidl.h>

namespace skerrow::win32 {

template <class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = Find(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  // The object as the interface `iid`, or null when it has none.
  virtual void* Find(REFIID iid) = 0;

 private:
  LONG references_ = 1;
};

// An IDispatch object without type information.
class UntypedDispatch : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
};

}  // namespace skerrow::win32
