#include "tests/outlookfacade/FacadeState.h"

#include "tests/outlookfacade/FacadeObject.h"

namespace skerrow::facade {

void SinkForwarder::Invoke(EventInterface iface, std::int32_t dispId,
                           const std::vector<DispatchPtr>& args) {
  auto state = state_.lock();
  if (!state) return;
  // Held here: the sink may be unadvised, and this forwarder freed, while
  // it runs.
  Microsoft::WRL::ComPtr<IDispatch> sink = comSink_;
  std::vector<Microsoft::WRL::ComPtr<IDispatch>> objects;
  for (const DispatchPtr& arg : args) objects.push_back(FacadeObject::Make(arg, state));
  VARIANT_BOOL cancelDefault = VARIANT_FALSE;
  // Automation passes the parameters last first.
  std::vector<VARIANTARG> params;
  if (iface == EventInterface::CommandBarButtonEvents) {
    VARIANTARG cancel{};
    cancel.vt = VT_BOOL | VT_BYREF;
    cancel.pboolVal = &cancelDefault;
    params.push_back(cancel);
  }
  for (auto object = objects.rbegin(); object != objects.rend(); ++object) {
    VARIANTARG value{};
    value.vt = VT_DISPATCH;
    value.pdispVal = object->Get();
    params.push_back(value);
  }
  DISPPARAMS dispParams{params.data(), nullptr, static_cast<UINT>(params.size()), 0};
  sink->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dispParams, nullptr,
               nullptr, nullptr);
  if (cancelDefault != VARIANT_FALSE) state->cancelDefaultWritten = true;
}

FacadeState::~FacadeState() {
  for (auto& [cookie, connection] : connections) {
    if (auto* source = dynamic_cast<EventSource*>(connection.source.get())) {
      source->Unadvise(connection.storeCookie);
    }
  }
}

FacadeObject* FacadeState::Find(IUnknown* object) const {
  for (FacadeObject* candidate : live) {
    if (static_cast<IUnknown*>(static_cast<IDispatch*>(candidate)) == object) return candidate;
  }
  return nullptr;
}

}  // namespace skerrow::facade
