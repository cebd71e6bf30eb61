#include "host/memory/MemoryCommandBarControls.h"

#include <utility>

#include "host/memory/MemoryHandles.h"

namespace skerrow {

MemoryCommandBarControls::MemoryCommandBarControls(std::shared_ptr<StoreState> state,
                                                   std::shared_ptr<StoredControlList> controls)
    : state_(std::move(state)), controls_(std::move(controls)) {}

Result<DispatchPtr> MemoryCommandBarControls::Add(std::int32_t type, bool temporary) {
  if (HResult failure = state_->faults.Check("CommandBarControls.Add"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  ControlKind kind = ControlKind::Other;
  if (type == olk::kControlButton) kind = ControlKind::Button;
  if (type == kControlPopupType) kind = ControlKind::Popup;
  auto control = std::make_shared<StoredControl>(kind, state_->queue);
  control->temporary = temporary;
  controls_->push_back(control);
  if (kind == ControlKind::Button) state_->buttons.push_back(control);
  return Ok(MakeControlHandle(state_, control));
}

Result<DispatchPtr> MemoryCommandBarControls::Item(std::int32_t index) {
  if (HResult failure = state_->faults.Check("CommandBarControls.Item"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  if (index < 1 || static_cast<std::size_t>(index) > controls_->size()) {
    return Fail<DispatchPtr>(hr::kInvalidArg);
  }
  return Ok(MakeControlHandle(state_, (*controls_)[static_cast<std::size_t>(index) - 1]));
}

}  // namespace skerrow
