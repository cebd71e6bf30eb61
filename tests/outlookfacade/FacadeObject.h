// One object of the client's model as the stand-in plays it: an IDispatch
// over an object of the in-memory store, with the client's member names,
// QueryInterface answering the interface ids of the object's faces, and a
// connection point for the events the object raises.
//
// Like the client's objects it is strict where automation is strict: member
// ids are those of the object's own type, arguments must have the declared
// types (collection indexes VT_I4) and count, left-out optional arguments
// must be VT_ERROR/DISP_E_PARAMNOTFOUND, and a property put needs its named
// argument. A call that fails inside the store is raised as an automation
// exception (DISP_E_EXCEPTION carrying the store's status).
#pragma once

#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "host/MailHost.h"
#include "platform/win32/ComObject.h"
#include "tests/outlookfacade/FacadeState.h"

namespace skerrow::facade {

struct FacadeType;

class FacadeObject final : public win32::UntypedDispatch, public IConnectionPointContainer {
 public:
  // A new reference to an object over `target`, or null for a null target.
  static Microsoft::WRL::ComPtr<IDispatch> Make(const DispatchPtr& target,
                                                const std::shared_ptr<FacadeState>& state);

  FacadeObject(DispatchPtr target, const FacadeType& type, std::shared_ptr<FacadeState> state);
  ~FacadeObject() override;

  const DispatchPtr& Target() const { return target_; }

  // One IUnknown for both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return UntypedDispatch::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return UntypedDispatch::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return UntypedDispatch::Release(); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  void* Find(REFIID iid) override;

  DispatchPtr target_;
  const FacadeType& type_;
  std::shared_ptr<FacadeState> state_;
};

}  // namespace skerrow::facade
