// The connection point of one object of the stand-in for its source
// interface. Advise asks the sink for the source interface, as the client
// does, and subscribes a forwarder to the in-memory object's events; the
// forwarder stays advised when the store refuses Unadvise, so the COM sink
// is still called afterwards, as a client that failed to disconnect would.
#pragma once

#include <ocidl.h>
#include <wrl/client.h>

#include <memory>

#include "host/MailHost.h"
#include "platform/win32/ComObject.h"
#include "tests/outlookfacade/FacadeState.h"

namespace skerrow::facade {

class FacadeObject;

class FacadeConnectionPoint final : public win32::ComObject<IConnectionPoint> {
 public:
  FacadeConnectionPoint(FacadeObject* container, EventInterface iface, const IID& source,
                        std::shared_ptr<FacadeState> state);

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

 private:
  void* Find(REFIID iid) override;

  Microsoft::WRL::ComPtr<IConnectionPointContainer> container_;
  DispatchPtr target_;
  EventInterface iface_;
  IID source_;
  std::shared_ptr<FacadeState> state_;
};

}  // namespace skerrow::facade
