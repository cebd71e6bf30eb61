#include "host/maildir/StandInCommandBarControls.h"

#include "host/maildir/MaildirStatus.h"
#include "host/maildir/StandInCommandBarButton.h"

namespace skerrow::maildir {

Result<DispatchPtr> StandInCommandBarControls::Add(std::int32_t type, bool) {
  if (type != olk::kControlButton) return Fail<DispatchPtr>(hr::kInvalidArg);
  auto button = std::make_shared<StandInCommandBarButton>(queue_, clipboard_);
  controls_.push_back(button);
  return Ok<DispatchPtr>(button);
}

Result<DispatchPtr> StandInCommandBarControls::Item(std::int32_t index) {
  if (index < 1 || static_cast<std::size_t>(index) > controls_.size()) {
    return Fail<DispatchPtr>(kBadIndex);
  }
  return Ok(controls_[static_cast<std::size_t>(index) - 1]);
}

}  // namespace skerrow::maildir
