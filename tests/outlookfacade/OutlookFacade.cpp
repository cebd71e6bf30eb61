#include "tests/outlookfacade/OutlookFacade.h"

#include <vector>

#include "tests/outlookfacade/FacadeObject.h"

namespace skerrow::facade {

OutlookFacade::OutlookFacade(MemoryStore& store) : store_(store) {}

Microsoft::WRL::ComPtr<IDispatch> OutlookFacade::Application() {
  return Play(store_.GetApplication());
}

Microsoft::WRL::ComPtr<IDispatch> OutlookFacade::Play(const DispatchPtr& object) {
  return FacadeObject::Make(object, state_);
}

void OutlookFacade::CallSinksNow(std::int32_t dispId) {
  std::vector<SinkForwarder*> forwarders;
  for (auto& [cookie, connection] : state_->connections) {
    forwarders.push_back(connection.forwarder.get());
  }
  for (SinkForwarder* forwarder : forwarders) {
    forwarder->Invoke(EventInterface::ItemsEvents, dispId, {});
  }
}

}  // namespace skerrow::facade
