// A command bar (a toolbar, or the menu bar with its menus) without a user
// interface, and one menu of the menu bar as a popup.
#pragma once

#include <memory>
#include <string>

#include "host/MailHost.h"
#include "host/maildir/StandInCommandBarControls.h"

namespace skerrow::maildir {

class StandInCommandBar final : public CommandBar {
 public:
  StandInCommandBar(std::u16string barName, std::shared_ptr<StandInCommandBarControls> controls)
      : name(std::move(barName)), controls_(std::move(controls)) {}

  Result<CommandBarControlsPtr> Controls() override { return Ok<CommandBarControlsPtr>(controls_); }
  HResult SetVisible(bool value) override {
    visible = value;
    return hr::kOk;
  }

  const std::shared_ptr<StandInCommandBarControls>& Content() const { return controls_; }

  std::u16string name;
  bool visible = true;

 private:
  std::shared_ptr<StandInCommandBarControls> controls_;
};

class StandInCommandBarPopup final : public CommandBarPopup,
                                     public std::enable_shared_from_this<StandInCommandBarPopup> {
 public:
  StandInCommandBarPopup(std::u16string menuCaption,
                         std::shared_ptr<StandInCommandBarControls> controls)
      : caption(std::move(menuCaption)), controls_(std::move(controls)) {}

  CommandBarPopupPtr AsCommandBarPopup() override { return shared_from_this(); }
  Result<CommandBarControlsPtr> Controls() override { return Ok<CommandBarControlsPtr>(controls_); }

  const std::shared_ptr<StandInCommandBarControls>& Content() const { return controls_; }

  std::u16string caption;

 private:
  std::shared_ptr<StandInCommandBarControls> controls_;
};

}  // namespace skerrow::maildir
