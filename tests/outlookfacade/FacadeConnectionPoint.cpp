#include "tests/outlookfacade/FacadeConnectionPoint.h"

#include <olectl.h>

#include "tests/outlookfacade/FacadeObject.h"

namespace skerrow::facade {

FacadeConnectionPoint::FacadeConnectionPoint(FacadeObject* container, EventInterface iface,
                                             const IID& source, std::shared_ptr<FacadeState> state)
    : container_(container),
      target_(container->Target()),
      iface_(iface),
      source_(source),
      state_(std::move(state)) {}

void* FacadeConnectionPoint::Find(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint)
    return static_cast<IConnectionPoint*>(this);
  return nullptr;
}

HRESULT FacadeConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = source_;
  return S_OK;
}

HRESULT FacadeConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  return container_.CopyTo(container);
}

HRESULT FacadeConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  *cookie = 0;
  Microsoft::WRL::ComPtr<IDispatch> comSink;
  if (FAILED(sink->QueryInterface(source_, reinterpret_cast<void**>(comSink.GetAddressOf())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  auto forwarder = std::make_unique<SinkForwarder>(comSink, state_);
  auto* source = dynamic_cast<EventSource*>(target_.get());
  if (source == nullptr) return CONNECT_E_CANNOTCONNECT;
  const Result<std::uint32_t> advised = source->Advise(iface_, forwarder.get());
  if (!advised.ok()) return advised.status;
  *cookie = state_->nextCookie++;
  state_->connections[*cookie] = {target_, advised.value, std::move(forwarder)};
  return S_OK;
}

HRESULT FacadeConnectionPoint::Unadvise(DWORD cookie) {
  auto found = state_->connections.find(cookie);
  if (found == state_->connections.end()) return CONNECT_E_NOCONNECTION;
  auto* source = dynamic_cast<EventSource*>(found->second.source.get());
  const HResult status = source->Unadvise(found->second.storeCookie);
  if (hr::Succeeded(status)) state_->connections.erase(found);
  return status;
}

HRESULT FacadeConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

}  // namespace skerrow::facade
