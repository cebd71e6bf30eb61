// A popup menu of the in-memory store's menu bar.
#pragma once

#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/MemoryCommandBarControls.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryCommandBarPopup : public CommandBarPopup,
                              public std::enable_shared_from_this<MemoryCommandBarPopup> {
 public:
  MemoryCommandBarPopup(std::shared_ptr<StoreState> state, std::shared_ptr<StoredControl> control)
      : state_(std::move(state)), control_(std::move(control)) {}

  CommandBarPopupPtr AsCommandBarPopup() override { return shared_from_this(); }

  Result<CommandBarControlsPtr> Controls() override {
    if (HResult failure = state_->faults.Check("CommandBarPopup.Controls"); hr::Failed(failure)) {
      return Fail<CommandBarControlsPtr>(failure);
    }
    return Ok<CommandBarControlsPtr>(
        std::make_shared<MemoryCommandBarControls>(state_, control_->controls));
  }

 private:
  std::shared_ptr<StoreState> state_;
  std::shared_ptr<StoredControl> control_;
};

}  // namespace skerrow
