// The controls of a stand-in command bar or menu: buttons added by the
// add-in and, in the menu bar, the client's own menus as popups.
#pragma once

#include <memory>
#include <vector>

#include "host/EventQueue.h"
#include "host/MailHost.h"

namespace skerrow {
class Clipboard;
}

namespace skerrow::maildir {

class StandInCommandBarButton;

class StandInCommandBarControls final : public CommandBarControls {
 public:
  StandInCommandBarControls(std::shared_ptr<EventQueue> queue, Clipboard* clipboard)
      : queue_(std::move(queue)), clipboard_(clipboard) {}

  // Adds a button (type 1); other control types are not offered.
  Result<DispatchPtr> Add(std::int32_t type, bool temporary) override;
  Result<DispatchPtr> Item(std::int32_t index) override;

  void Append(DispatchPtr control) { controls_.push_back(std::move(control)); }
  const std::vector<DispatchPtr>& Controls() const { return controls_; }

 private:
  std::shared_ptr<EventQueue> queue_;
  Clipboard* clipboard_;
  std::vector<DispatchPtr> controls_;
};

}  // namespace skerrow::maildir
