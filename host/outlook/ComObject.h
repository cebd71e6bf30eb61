// IUnknown written once for the COM objects made here (the event sinks, and
// the test stand-in's objects): a reference count that acts on the value
// InterlockedIncrement and InterlockedDecrement return, and QueryInterface
// over the interfaces the object answers for. An object starts with the one
// reference its maker holds.
#pragma once

#include <oaidl.h>

namespace skerrow::outlook {

template <class Interface>
class ComObject : public Interface {
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
    const long left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;
  // The object as the interface `iid`, or null when it has none.
  virtual void* Find(REFIID iid) = 0;

 private:
  long references_ = 1;
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

}  // namespace skerrow::outlook
