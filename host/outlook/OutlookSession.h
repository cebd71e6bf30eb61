// What every adapter reached from one wrapped object shares: the dispatch ids
// already resolved, per type of the object model, and the queue through which
// events reach the core one at a time.
#pragma once

#include <oaidl.h>

#include <map>
#include <string>
#include <typeindex>
#include <utility>

#include "base/Result.h"
#include "host/EventQueue.h"

namespace skerrow::outlook {

class OutlookSession {
 public:
  OutlookSession() = default;
  OutlookSession(const OutlookSession&) = delete;
  OutlookSession& operator=(const OutlookSession&) = delete;

  // The dispatch id of the member `name` on objects adapted to `type` (one
  // interface of the object model). Asked with GetIDsOfNames the first time
  // and kept: ids are fixed per interface, whichever client version answers.
  // A failed lookup is not kept.
  Result<DISPID> DispatchId(IDispatch& object, std::type_index type, const wchar_t* name);

  // The client may call a sink while a handler runs (a message box's modal
  // loop delivers its events); the queue holds such an event until the
  // running handler has returned.
  EventQueue& Events() { return events_; }

 private:
  std::map<std::pair<std::type_index, std::wstring>, DISPID> ids_;
  EventQueue events_;
};

}  // namespace skerrow::outlook
