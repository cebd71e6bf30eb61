#include "host/outlook/ConnectionSink.h"

#include <wrl/client.h>

#include <atomic>
#include <utility>

#include "host/outlook/OutlookObject.h"
#include "host/outlook/OutlookSession.h"

namespace skerrow::outlook {

namespace {

// The module's count of live sinks: the one process-wide value a COM server
// needs to answer whether it may be unloaded.
std::atomic<long> liveSinks{0};

// The object an event parameter carries, if it carries one.
IDispatch* ObjectParameter(const VARIANT& value) {
  if (value.vt == VT_DISPATCH) return value.pdispVal;
  if (value.vt == (VT_DISPATCH | VT_BYREF) && value.ppdispVal != nullptr) return *value.ppdispVal;
  return nullptr;
}

bool IsObjectParameter(const VARIANT& value) {
  return value.vt == VT_DISPATCH || value.vt == (VT_DISPATCH | VT_BYREF);
}

}  // namespace

long LiveEventSinks() {
  return liveSinks.load();
}

ConnectionSink::ConnectionSink(const GUID& source, EventInterface iface, EventSink* target,
                               std::shared_ptr<OutlookSession> session)
    : source_(source), iface_(iface), target_(target), session_(std::move(session)) {
  ++liveSinks;
}

ConnectionSink::~ConnectionSink() {
  --liveSinks;
}

void* ConnectionSink::Find(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == source_) {
    return static_cast<IDispatch*>(this);
  }
  return nullptr;
}

HRESULT ConnectionSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT ConnectionSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                               EXCEPINFO*, UINT*) {
  // Nothing may escape into the client, whatever the core does.
  try {
    if (target_ == nullptr) return S_OK;
    std::vector<DispatchPtr> args;
    if (params != nullptr && params->rgvarg != nullptr) {
      // The client passes the parameters last first.
      for (UINT i = params->cArgs; i-- > 0;) {
        const VARIANT& value = params->rgvarg[i];
        if (IsObjectParameter(value)) args.push_back(WrapObject(ObjectParameter(value), session_));
      }
    }
    Microsoft::WRL::ComPtr<ConnectionSink> self(this);
    session_->Events().Raise(
        [self, id, args = std::move(args)] { self->Deliver(static_cast<std::int32_t>(id), args); });
  } catch (...) {
  }
  return S_OK;
}

void ConnectionSink::Deliver(std::int32_t dispId, const std::vector<DispatchPtr>& args) noexcept {
  try {
    // Looked at again here: the sink may have been detached while the event
    // waited behind a running handler.
    if (target_ != nullptr) target_->Invoke(iface_, dispId, args);
  } catch (...) {
  }
}

}  // namespace skerrow::outlook
