// The COM end of one subscription: an IDispatch sink that a connection point
// of the client holds, answering for its source interface and IDispatch. Its
// Invoke hands the event to the core's sink: the dispatch id and the object
// parameters in order, wrapped like every other object (a by-reference
// parameter such as Click's CancelDefault is left as the client gave it).
//
// Once detached the sink never reaches the core's sink again, even if the
// client keeps calling it: the core frees its sink after unsubscribing,
// whether or not the client let go of the COM sink.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "host/MailHost.h"
#include "platform/win32/ComObject.h"

namespace skerrow::outlook {

class OutlookSession;

class ConnectionSink final : public win32::UntypedDispatch {
 public:
  ConnectionSink(const GUID& source, EventInterface iface, EventSink* target,
                 std::shared_ptr<OutlookSession> session);
  ~ConnectionSink() override;

  void Detach() { target_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  void* Find(REFIID iid) override;
  void Deliver(std::int32_t dispId, const std::vector<DispatchPtr>& args) noexcept;

  GUID source_;
  EventInterface iface_;
  EventSink* target_;  // not owned; null once detached
  std::shared_ptr<OutlookSession> session_;
};

}  // namespace skerrow::outlook
