// The controls of a command bar or of a popup menu of the in-memory store.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryCommandBarControls : public CommandBarControls {
 public:
  MemoryCommandBarControls(std::shared_ptr<StoreState> state,
                           std::shared_ptr<StoredControlList> controls);

  // Appends a control: type 1 makes a button, 10 a popup, any other type a
  // control with neither face.
  Result<DispatchPtr> Add(std::int32_t type, bool temporary) override;
  Result<DispatchPtr> Item(std::int32_t index) override;

 private:
  std::shared_ptr<StoreState> state_;
  std::shared_ptr<StoredControlList> controls_;
};

}  // namespace skerrow
