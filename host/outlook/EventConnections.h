// The subscriptions of one adapter that raises events: each connects a COM
// sink to the object's connection point for the event interface's source
// interface. Cookies are the adapter's own, so that they stay unique whatever
// the client's connection points hand out.
#pragma once

#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "host/MailHost.h"
#include "host/outlook/ConnectionSink.h"
#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

class OutlookSession;

class EventConnections {
 public:
  explicit EventConnections(std::shared_ptr<OutlookSession> session);
  // Disconnects what is still connected: the core can no longer unsubscribe
  // once the adapter is gone, and its sinks must not be reached after that.
  ~EventConnections();
  EventConnections(const EventConnections&) = delete;
  EventConnections& operator=(const EventConnections&) = delete;

  Result<std::uint32_t> Advise(IDispatch& source, EventInterface iface, EventSink* sink);
  // The core's sink is never called again after this, even when the client
  // fails to disconnect (CONNECT_E_NOCONNECTION for an unknown cookie).
  HResult Unadvise(std::uint32_t cookie);

 private:
  struct Connection {
    std::uint32_t cookie;
    Microsoft::WRL::ComPtr<IConnectionPoint> point;
    Microsoft::WRL::ComPtr<ConnectionSink> sink;
    DWORD pointCookie;
  };

  std::shared_ptr<OutlookSession> session_;
  std::vector<Connection> connections_;
  std::uint32_t nextCookie_ = 1;
};

// An adapter whose object raises the events of one interface.
template <class FaceType>
class OutlookEventSource : public OutlookAdapter<FaceType> {
 public:
  OutlookEventSource(Microsoft::WRL::ComPtr<IDispatch> object,
                     std::shared_ptr<OutlookSession> session)
      : OutlookAdapter<FaceType>(std::move(object), session), connections_(std::move(session)) {}

  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override {
    return connections_.Advise(*this->Interface(), iface, sink);
  }
  HResult Unadvise(std::uint32_t cookie) override { return connections_.Unadvise(cookie); }

 private:
  EventConnections connections_;
};

}  // namespace skerrow::outlook
