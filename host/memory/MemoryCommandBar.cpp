#include "host/memory/MemoryCommandBar.h"

#include <utility>

#include "host/memory/MemoryCommandBarControls.h"

namespace skerrow {

MemoryCommandBar::MemoryCommandBar(std::shared_ptr<StoreState> state,
                                   std::shared_ptr<StoredCommandBar> bar)
    : state_(std::move(state)), bar_(std::move(bar)) {}

Result<CommandBarControlsPtr> MemoryCommandBar::Controls() {
  if (HResult failure = state_->faults.Check("CommandBar.Controls"); hr::Failed(failure)) {
    return Fail<CommandBarControlsPtr>(failure);
  }
  return Ok<CommandBarControlsPtr>(
      std::make_shared<MemoryCommandBarControls>(state_, bar_->controls));
}

HResult MemoryCommandBar::SetVisible(bool visible) {
  if (HResult failure = state_->faults.Check("CommandBar.SetVisible"); hr::Failed(failure)) {
    return failure;
  }
  bar_->visible = visible;
  ++bar_->visibleWrites;
  return hr::kOk;
}

}  // namespace skerrow
