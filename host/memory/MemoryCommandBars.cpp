#include "host/memory/MemoryCommandBars.h"

#include <utility>

#include "host/memory/MemoryCommandBar.h"

namespace skerrow {

MemoryCommandBars::MemoryCommandBars(std::shared_ptr<StoreState> state)
    : state_(std::move(state)) {}

Result<CommandBarPtr> MemoryCommandBars::Add(const std::u16string& name, std::int32_t position,
                                             bool temporary) {
  if (HResult failure = state_->faults.Check("CommandBars.Add"); hr::Failed(failure)) {
    return Fail<CommandBarPtr>(failure);
  }
  auto bar = std::make_shared<StoredCommandBar>();
  bar->name = name;
  bar->position = position;
  bar->temporary = temporary;
  state_->toolbars.push_back(bar);
  return Ok<CommandBarPtr>(std::make_shared<MemoryCommandBar>(state_, bar));
}

Result<CommandBarPtr> MemoryCommandBars::ActiveMenuBar() {
  if (HResult failure = state_->faults.Check("CommandBars.ActiveMenuBar"); hr::Failed(failure)) {
    return Fail<CommandBarPtr>(failure);
  }
  return Ok<CommandBarPtr>(std::make_shared<MemoryCommandBar>(state_, state_->menuBar));
}

}  // namespace skerrow
