// What all objects of one stand-in share: the objects alive, the name
// lookups made, and the subscriptions that forward the in-memory store's
// events to the COM sinks advised on the stand-in's connection points.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "host/MailHost.h"

namespace skerrow::facade {

class FacadeObject;

// Calls one advised COM sink the way the client does: the event's objects
// as VT_DISPATCH parameters, and for Click a by-reference CancelDefault.
class SinkForwarder : public EventSink {
 public:
  SinkForwarder(Microsoft::WRL::ComPtr<IDispatch> comSink,
                std::shared_ptr<struct FacadeState> state)
      : comSink_(std::move(comSink)), state_(std::move(state)) {}
  void Invoke(EventInterface iface, std::int32_t dispId,
              const std::vector<DispatchPtr>& args) override;

 private:
  Microsoft::WRL::ComPtr<IDispatch> comSink_;
  std::weak_ptr<FacadeState> state_;
};

struct FacadeConnection {
  DispatchPtr source;         // the in-memory object advised on
  std::uint32_t storeCookie;  // its cookie there
  std::unique_ptr<SinkForwarder> forwarder;
};

struct FacadeState {
  FacadeState() = default;
  // Takes every forwarder still advised off the in-memory store, which may
  // outlive the stand-in.
  ~FacadeState();
  FacadeState(const FacadeState&) = delete;
  FacadeState& operator=(const FacadeState&) = delete;

  // The stand-in's object behind an interface pointer it gave out, or null.
  FacadeObject* Find(IUnknown* object) const;

  std::set<FacadeObject*> live;
  int nameLookups = 0;
  bool cancelDefaultWritten = false;
  std::map<DWORD, FacadeConnection> connections;
  DWORD nextCookie = 1;
};

}  // namespace skerrow::facade
