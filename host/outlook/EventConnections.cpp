#include "host/outlook/EventConnections.h"

#include <olectl.h>

#include <algorithm>
#include <utility>

#include "host/outlook/OutlookIds.h"

namespace skerrow::outlook {

EventConnections::EventConnections(std::shared_ptr<OutlookSession> session)
    : session_(std::move(session)) {}

EventConnections::~EventConnections() {
  for (Connection& connection : connections_) {
    connection.sink->Detach();
    connection.point->Unadvise(connection.pointCookie);
  }
}

Result<std::uint32_t> EventConnections::Advise(IDispatch& source, EventInterface iface,
                                               EventSink* sink) {
  if (sink == nullptr) return Fail<std::uint32_t>(E_POINTER);
  Microsoft::WRL::ComPtr<IConnectionPointContainer> container;
  HRESULT status = source.QueryInterface(IID_PPV_ARGS(&container));
  if (FAILED(status)) return Fail<std::uint32_t>(status);
  const GUID sourceId = SourceInterfaceId(iface);
  Microsoft::WRL::ComPtr<IConnectionPoint> point;
  status = container->FindConnectionPoint(sourceId, &point);
  if (FAILED(status)) return Fail<std::uint32_t>(status);
  if (!point) return Fail<std::uint32_t>(E_POINTER);

  // Takes over the new sink's first reference (the toolchain's ComPtr::Attach
  // would add one of its own).
  Microsoft::WRL::ComPtr<ConnectionSink> comSink;
  *comSink.GetAddressOf() = new ConnectionSink(sourceId, iface, sink, session_);
  DWORD pointCookie = 0;
  status = point->Advise(comSink.Get(), &pointCookie);
  if (FAILED(status)) {
    comSink->Detach();  // in case the point kept it all the same
    return Fail<std::uint32_t>(status);
  }
  const std::uint32_t cookie = nextCookie_++;
  connections_.push_back({cookie, std::move(point), std::move(comSink), pointCookie});
  return Ok(cookie);
}

HResult EventConnections::Unadvise(std::uint32_t cookie) {
  auto found = std::find_if(connections_.begin(), connections_.end(),
                            [cookie](const Connection& c) { return c.cookie == cookie; });
  if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
  Connection connection = std::move(*found);
  connections_.erase(found);
  connection.sink->Detach();
  return connection.point->Unadvise(connection.pointCookie);
}

}  // namespace skerrow::outlook
