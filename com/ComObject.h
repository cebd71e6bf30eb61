// IUnknown written once for every COM object of the module. A class derives
// from ComObject<Self, Interfaces...> and answers FindInterface(riid) with
// the matching interface pointer (or null); reference counting acts on the
// value that InterlockedDecrement returns, so an object is deleted exactly
// once whatever thread releases it last. Objects start with one reference,
// owned by their creator.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include "com/ComModule.h"

namespace skerrow::com {

template <class Self, class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() { ObjectCreated(); }
  virtual ~ComObject() { ObjectDestroyed(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = static_cast<Self*>(this)->FindInterface(riid);
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

 private:
  LONG references_ = 1;
};

}  // namespace skerrow::com
