#include "host/maildir/StandInCommandBars.h"

namespace skerrow::maildir {

namespace {

template <class Visit>
void ForEachButton(const StandInCommandBarControls& controls, const std::u16string& barName,
                   bool barVisible, Visit visit) {
  for (const DispatchPtr& control : controls.Controls()) {
    if (auto button = std::dynamic_pointer_cast<StandInCommandBarButton>(control)) {
      visit(barName, barVisible, button);
    }
    if (auto popup = std::dynamic_pointer_cast<StandInCommandBarPopup>(control)) {
      ForEachButton(*popup->Content(), popup->caption, barVisible, visit);
    }
  }
}

}  // namespace

StandInCommandBars::StandInCommandBars(std::shared_ptr<EventQueue> queue, Clipboard* clipboard)
    : queue_(std::move(queue)), clipboard_(clipboard) {
  auto menus = std::make_shared<StandInCommandBarControls>(queue_, clipboard_);
  for (const char16_t* caption :
       {u"&File", u"&Edit", u"&View", u"&Go", u"&Tools", u"&Actions", u"&Help"}) {
    menus->Append(std::make_shared<StandInCommandBarPopup>(
        caption, std::make_shared<StandInCommandBarControls>(queue_, clipboard_)));
  }
  menuBar_ = std::make_shared<StandInCommandBar>(u"Menu Bar", std::move(menus));
}

Result<CommandBarPtr> StandInCommandBars::Add(const std::u16string& name, std::int32_t, bool) {
  auto bar = std::make_shared<StandInCommandBar>(
      name, std::make_shared<StandInCommandBarControls>(queue_, clipboard_));
  bars_.push_back(bar);
  return Ok<CommandBarPtr>(bar);
}

Result<CommandBarPtr> StandInCommandBars::ActiveMenuBar() {
  return Ok<CommandBarPtr>(menuBar_);
}

std::vector<RecordedButton> StandInCommandBars::Buttons() const {
  std::vector<RecordedButton> buttons;
  const auto record = [&buttons](const std::u16string& bar, bool barVisible,
                                 const std::shared_ptr<StandInCommandBarButton>& button) {
    buttons.push_back({bar, button->caption, button->tag, button->tooltipText, button->style,
                       button->face, button->enabled, button->visible, barVisible,
                       button->Subscribers()});
  };
  for (const auto& bar : bars_) ForEachButton(*bar->Content(), bar->name, bar->visible, record);
  ForEachButton(*menuBar_->Content(), menuBar_->name, true, record);
  return buttons;
}

std::shared_ptr<StandInCommandBarButton> StandInCommandBars::FindButton(
    std::u16string_view text) const {
  std::shared_ptr<StandInCommandBarButton> first;
  std::shared_ptr<StandInCommandBarButton> subscribed;
  const auto consider = [&](const std::u16string&, bool,
                            const std::shared_ptr<StandInCommandBarButton>& button) {
    if (button->tag != text && button->caption != text) return;
    if (!first) first = button;
    if (!subscribed && button->Subscribers() > 0) subscribed = button;
  };
  for (const auto& bar : bars_) ForEachButton(*bar->Content(), bar->name, bar->visible, consider);
  ForEachButton(*menuBar_->Content(), menuBar_->name, true, consider);
  return subscribed ? subscribed : first;
}

}  // namespace skerrow::maildir
