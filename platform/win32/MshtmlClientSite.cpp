#include "platform/win32/MshtmlClientSite.h"

#include <mshtmdid.h>

namespace skerrow {

DWORD MshtmlDownloadControl() {
  // Images, videos and background sounds are fetched only when their
  // DLCTL_ flag is set, so they are left out; the rest are prohibitions.
  return DLCTL_NO_SCRIPTS | DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
         DLCTL_NO_FRAMEDOWNLOAD | DLCTL_NO_BEHAVIORS | DLCTL_NO_CLIENTPULL | DLCTL_NO_METACHARSET |
         DLCTL_FORCEOFFLINE | DLCTL_SILENT;
}

void* MshtmlClientSite::Find(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
    return static_cast<IOleClientSite*>(this);
  }
  if (IsEqualIID(iid, IID_IDispatch)) return static_cast<IDispatch*>(this);
  return nullptr;
}

HRESULT STDMETHODCALLTYPE MshtmlClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE MshtmlClientSite::GetContainer(IOleContainer** container) {
  if (container != nullptr) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE MshtmlClientSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE MshtmlClientSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE MshtmlClientSite::Invoke(DISPID member, REFIID, LCID, WORD flags,
                                                   DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                                   UINT*) {
  if (member != DISPID_AMBIENT_DLCONTROL || (flags & DISPATCH_PROPERTYGET) == 0) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (result == nullptr) return E_POINTER;
  VariantInit(result);
  result->vt = VT_I4;
  result->lVal = static_cast<LONG>(MshtmlDownloadControl());
  return S_OK;
}

}  // namespace skerrow
