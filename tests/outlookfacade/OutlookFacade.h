// A stand-in for the mail client's object model: the in-memory store played
// as IDispatch objects with the client's member names, interface ids and
// connection points, so that the COM adapters, and the add-in's DLL through
// them, run against it as against the client.
//
//   MemoryStore store;
//   OutlookFacade outlook(store);
//   DispatchPtr app = outlook::WrapObject(outlook.Application().Get());
//
// The store's events reach the COM sinks advised on the stand-in with the
// routing table's dispatch ids, delivered by the store's own event queue.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <cstddef>
#include <memory>

#include "host/MailHost.h"
#include "host/memory/MemoryStore.h"
#include "tests/outlookfacade/FacadeState.h"

namespace skerrow::facade {

class OutlookFacade {
 public:
  explicit OutlookFacade(MemoryStore& store);
  OutlookFacade(const OutlookFacade&) = delete;
  OutlookFacade& operator=(const OutlookFacade&) = delete;

  // A new reference to the application object.
  Microsoft::WRL::ComPtr<IDispatch> Application();
  // A new reference to any object of the store, played as the client's.
  Microsoft::WRL::ComPtr<IDispatch> Play(const DispatchPtr& object);

  // GetIDsOfNames calls, over all objects.
  int NameLookups() const { return state_->nameLookups; }
  // Objects of the stand-in that someone still holds.
  std::size_t LiveObjects() const { return state_->live.size(); }
  // COM sinks advised and not (successfully) unadvised.
  std::size_t Connections() const { return state_->connections.size(); }
  // Whether a Click handler wrote the by-reference CancelDefault.
  bool CancelDefaultWritten() const { return state_->cancelDefaultWritten; }

  // Calls every advised sink at once with the dispatch id and no parameters,
  // outside the store's event queue: what a client does when a handler's
  // modal loop lets it deliver an event in the middle of another.
  void CallSinksNow(std::int32_t dispId);

 private:
  MemoryStore& store_;
  std::shared_ptr<FacadeState> state_ = std::make_shared<FacadeState>();
};

}  // namespace skerrow::facade
