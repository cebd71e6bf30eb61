// The client site an MSHTML document is given so that it asks its host what
// it may download and run. MSHTML reads the host's download control from the
// site's IDispatch as an ambient property; this site allows nothing that
// reaches outside the text: no images, sounds or videos, no scripts, Java,
// ActiveX controls, behaviours or frames, no client pull (a META refresh),
// no network at all (forced offline), no reload for a META charset (the text
// is UTF-16 already) and no user interface. Every other ambient property is
// left to MSHTML's default.
#pragma once

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <ole2.h>

#include "platform/win32/ComObject.h"

namespace skerrow {

// The download control value this site answers.
DWORD MshtmlDownloadControl();

class MshtmlClientSite final : public win32::ComObject<IOleClientSite, IDispatch> {
 public:
  // A new site with one reference, owned by the caller.
  static IOleClientSite* Create() { return new MshtmlClientSite(); }

  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*,
                                   VARIANT* result, EXCEPINFO*, UINT*) override;

 private:
  MshtmlClientSite() = default;
  ~MshtmlClientSite() override = default;

  void* Find(REFIID iid) override;
};

}  // namespace skerrow
