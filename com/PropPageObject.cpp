#include "com/PropPageObject.h"

#include <new>

#include "com/Guids.h"

namespace skerrow::com {

PropPageObject::PropPageObject() : dispatch_(kIidIPropPage) {}

HRESULT PropPageObject::Create(REFIID riid, void** object) {
  PropPageObject* created = new (std::nothrow) PropPageObject();
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT status = created->QueryInterface(riid, object);
  created->Release();
  return status;
}

void* PropPageObject::FindInterface(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, kIidIPropPage)) {
    return static_cast<IPropPage*>(this);
  }
  return nullptr;
}

HRESULT PropPageObject::GetTypeInfoCount(UINT* count) {
  return dispatch_.GetTypeInfoCount(count);
}

HRESULT PropPageObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return dispatch_.GetTypeInfo(index, info);
}

HRESULT PropPageObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return dispatch_.GetIDsOfNames(names, count, ids);
}

HRESULT PropPageObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  return dispatch_.Invoke(static_cast<IPropPage*>(this), member, flags, params, result, exception,
                          argumentError);
}

}  // namespace skerrow::com
