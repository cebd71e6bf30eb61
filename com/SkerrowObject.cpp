#include "com/SkerrowObject.h"

#include <new>

#include "addin/Skerrow.h"
#include "com/ComModule.h"
#include "com/Guids.h"
#include "host/outlook/OutlookObject.h"
#include "options/FilterOptions.h"
#include "platform/win32/Win32Platform.h"

namespace skerrow::com {

namespace {

// Runs one call of Outlook's into the core; whatever escapes the core stays
// here, because nothing may be thrown back into Outlook.
template <class Call>
void Shielded(Call&& call) {
  try {
    call();
  } catch (...) {
  }
}

}  // namespace

SkerrowObject::SkerrowObject()
    : dispatch_(kIidISkerrow),
      platform_(std::make_unique<Win32Platform>(ModuleHandle())),
      addIn_(std::make_unique<Skerrow>(platform_->platform(), TheFilterOptions())) {}

SkerrowObject::~SkerrowObject() {
  Shielded([this] { addIn_.reset(); });
}

HRESULT SkerrowObject::Create(REFIID riid, void** object) {
  SkerrowObject* created = new (std::nothrow) SkerrowObject();
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT status = created->QueryInterface(riid, object);
  created->Release();
  return status;
}

void* SkerrowObject::Find(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, kIidISkerrow)) {
    return static_cast<ISkerrow*>(this);
  }
  if (IsEqualIID(riid, kIidIDTExtensibility2)) return static_cast<IDTExtensibility2*>(this);
  return nullptr;
}

HRESULT SkerrowObject::GetTypeInfoCount(UINT* count) {
  return dispatch_.GetTypeInfoCount(count);
}

HRESULT SkerrowObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return dispatch_.GetTypeInfo(index, info);
}

HRESULT SkerrowObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return dispatch_.GetIDsOfNames(names, count, ids);
}

HRESULT SkerrowObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  return dispatch_.Invoke(static_cast<ISkerrow*>(this), member, flags, params, result, exception,
                          argumentError);
}

HRESULT SkerrowObject::OnConnection(IDispatch* application, ConnectMode connectMode,
                                    IDispatch* /*addInInstance*/, SAFEARRAY** /*custom*/) {
  Shielded([&] {
    addIn_->OnConnection(outlook::WrapObject(application), static_cast<std::int32_t>(connectMode),
                         nullptr);
  });
  return S_OK;
}

HRESULT SkerrowObject::OnDisconnection(DisconnectMode removeMode, SAFEARRAY** /*custom*/) {
  Shielded([&] { addIn_->OnDisconnection(static_cast<std::int32_t>(removeMode)); });
  return S_OK;
}

HRESULT SkerrowObject::OnAddInsUpdate(SAFEARRAY** /*custom*/) {
  return E_NOTIMPL;
}

HRESULT SkerrowObject::OnStartupComplete(SAFEARRAY** /*custom*/) {
  return E_NOTIMPL;
}

HRESULT SkerrowObject::OnBeginShutdown(SAFEARRAY** /*custom*/) {
  return E_NOTIMPL;
}

}  // namespace skerrow::com
