#include "spamfolder/Toolbar.h"

#include <algorithm>

#include "base/ErrorLog.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

// Creating a toolbar button: 201200 for adding the control and setting its
// properties, 201202 for pasting its face.
constexpr int kPlaceButtonCreate = 201200;
constexpr int kPlaceButtonFace = 201202;
// Building the toolbar.
constexpr int kPlaceBarAdd = 201301;
constexpr int kPlaceBarControls = 201302;
constexpr int kPlaceFirstButtonClick = 201304;  // .. 201307, one per button
constexpr int kPlaceBarVisible = 201308;
// Creating a menu item: 201401 for adding the control, 201402 for its
// properties.
constexpr int kPlaceItemCreate = 201401;
constexpr int kPlaceItemProperties = 201402;
// Building the menu items. Each menu takes three places: the control at its
// index, the control not being a popup, the popup's controls.
constexpr int kPlaceMenuBar = 201501;
constexpr int kPlaceMenuBarControls = 201502;
constexpr int kPlaceToolsMenu = 201503;       // .. 201505
constexpr int kPlaceFirstItemClick = 201506;  // .. 201509, one per item
constexpr int kPlaceHelpMenu = 201510;        // .. 201512
constexpr int kPlaceHelpClick = 201514;
// Shutdown.
constexpr int kPlaceFirstButtonUnadvise = 200501;  // .. 200504
constexpr int kPlaceFirstItemUnadvise = 200601;    // .. 200604
constexpr int kPlaceHelpUnadvise = 200607;

constexpr std::int32_t kToolsMenuIndex = 5;
constexpr std::int32_t kHelpMenuIndex = 7;

struct CommandRow {
  const char16_t* caption;      // the button's caption and tag
  const char16_t* tooltip;      // the button's tooltip, also the menu item's caption
  const char16_t* menuCaption;  // the Tools menu item's caption
  int bitmap;
};

// The fourth button says "files" where its menu item says "letters"; both
// are shown as they stand.
constexpr std::array<CommandRow, kToolbarCommandCount> kRows{{
    {u"To Spam", u"Move marked spam letters to the Spam folder.",
     u"Move marked spam letters to the Spam folder.", 202},
    {u"To Inbox", u"Unmark spam letters and move to the Inbox folder.",
     u"Unmark spam letters and move to the Inbox folder.", 207},
    {u"Mark", u"Mark selected letters as Spam.", u"Mark selected letters as Spam.", 208},
    {u"Unmark", u"Unmark selected files.", u"Unmark selected letters.", 201},
}};

constexpr const char16_t* kToolbarName = u"Tamsquill";
constexpr const char16_t* kHelpCaption = u"Skerrow Help.";
constexpr int kHelpBitmap = 206;

std::size_t Index(ToolbarCommand command) {
  return static_cast<std::size_t>(command);
}

}  // namespace

void Toolbar::PutFaceOnClipboard(int bitmap) {
  // A bitmap that cannot be put there shows as a failed paste.
  env_.platform.clipboard.PutBitmap(bitmap);
}

void Toolbar::Log(HResult status, int place) {
  env_.log.LogFailure(status, place);
  if (hr::Failed(status) && hr::Succeeded(buildStatus_)) buildStatus_ = status;
}

void Toolbar::Subscribe(Control& control, EventSink* sink, int place) {
  if (!sink) return;
  const Result<std::uint32_t> cookie =
      control.control->Advise(EventInterface::CommandBarButtonEvents, sink);
  Log(cookie.status, place);
  if (cookie.ok()) control.cookie = cookie.value;
}

void Toolbar::Unsubscribe(Control& control, int place) {
  if (!control.control || !control.cookie) return;
  const HResult status = control.control->Unadvise(*control.cookie);
  Log(status, place);
  if (hr::Succeeded(status)) control.cookie.reset();
}

std::optional<Toolbar::Control> Toolbar::AddButton(CommandBarControls& controls,
                                                   ToolbarCommand command) {
  const CommandRow& row = kRows[Index(command)];
  const Result<DispatchPtr> added = controls.Add(olk::kControlButton, true);
  Log(added.status, kPlaceButtonCreate);
  if (!added.ok() || !added.value) return std::nullopt;
  CommandBarButtonPtr button = added.value->AsCommandBarButton();
  if (!button) {
    Log(hr::kMissing, kPlaceButtonCreate);
    return std::nullopt;
  }

  PutFaceOnClipboard(row.bitmap);
  Log(button->SetStyle(olk::kButtonIconAndCaption), kPlaceButtonCreate);
  const HResult pasted = button->PasteFace();
  Log(pasted, kPlaceButtonFace);
  // A button without its face is dropped: it stays on the bar but never gets
  // a command.
  if (hr::Failed(pasted)) return std::nullopt;

  Log(button->SetVisible(true), kPlaceButtonCreate);
  Log(button->SetCaption(row.caption), kPlaceButtonCreate);
  Log(button->SetEnabled(true), kPlaceButtonCreate);
  Log(button->SetTooltipText(row.tooltip), kPlaceButtonCreate);
  Log(button->SetTag(row.caption), kPlaceButtonCreate);
  return Control{std::move(button), std::nullopt};
}

HResult Toolbar::BuildToolbar(CommandBars& bars, const ToolbarSinks& sinks) {
  bar_.reset();
  buttons_ = {};
  buildStatus_ = hr::kOk;
  const Result<CommandBarPtr> bar = bars.Add(kToolbarName, olk::kBarTop, true);
  Log(bar.status, kPlaceBarAdd);
  if (!bar.ok() || !bar.value) return buildStatus_;
  bar_ = bar.value;

  const Result<CommandBarControlsPtr> controls = bar_->Controls();
  Log(controls.status, kPlaceBarControls);
  if (controls.ok() && controls.value) {
    for (std::size_t i = 0; i < kToolbarCommandCount; ++i) {
      std::optional<Control> button = AddButton(*controls.value, static_cast<ToolbarCommand>(i));
      if (!button) continue;
      buttons_[i] = std::move(*button);
      Subscribe(buttons_[i], sinks.buttons[i], kPlaceFirstButtonClick + static_cast<int>(i));
    }
  }
  SetVisibility();
  return buildStatus_;
}

std::optional<Toolbar::Control> Toolbar::AddMenuItem(CommandBarControls& controls, int bitmap,
                                                     const char16_t* caption) {
  const Result<DispatchPtr> added = controls.Add(olk::kControlButton, true);
  Log(added.status, kPlaceItemCreate);
  if (!added.ok() || !added.value) return std::nullopt;
  CommandBarButtonPtr item = added.value->AsCommandBarButton();
  if (!item) {
    Log(hr::kMissing, kPlaceItemCreate);
    return std::nullopt;
  }
  Log(item->SetCaption(caption), kPlaceItemProperties);
  Log(item->SetEnabled(true), kPlaceItemProperties);
  Log(item->SetVisible(true), kPlaceItemProperties);
  Log(item->SetStyle(olk::kButtonIconAndCaption), kPlaceItemProperties);
  PutFaceOnClipboard(bitmap);
  // A menu item keeps its command without a face: its caption says it all.
  item->PasteFace();
  Log(item->SetVisible(true), kPlaceItemProperties);
  return Control{std::move(item), std::nullopt};
}

CommandBarControlsPtr Toolbar::MenuControls(CommandBarControls& menuBar, std::int32_t index,
                                            int firstPlace) {
  const Result<DispatchPtr> menu = menuBar.Item(index);
  Log(menu.status, firstPlace);
  if (!menu.ok() || !menu.value) return nullptr;
  const CommandBarPopupPtr popup = menu.value->AsCommandBarPopup();
  if (!popup) {
    Log(hr::kMissing, firstPlace + 1);
    return nullptr;
  }
  const Result<CommandBarControlsPtr> controls = popup->Controls();
  Log(controls.status, firstPlace + 2);
  return controls.value;
}

HResult Toolbar::BuildMenuItems(CommandBars& bars, const ToolbarSinks& sinks) {
  menuItems_ = {};
  help_ = {};
  buildStatus_ = hr::kOk;
  const Result<CommandBarPtr> menuBar = bars.ActiveMenuBar();
  Log(menuBar.status, kPlaceMenuBar);
  if (!menuBar.ok() || !menuBar.value) return buildStatus_;
  const Result<CommandBarControlsPtr> menus = menuBar.value->Controls();
  Log(menus.status, kPlaceMenuBarControls);
  if (!menus.ok() || !menus.value) return buildStatus_;

  if (const CommandBarControlsPtr tools =
          MenuControls(*menus.value, kToolsMenuIndex, kPlaceToolsMenu)) {
    for (std::size_t i = 0; i < kToolbarCommandCount; ++i) {
      std::optional<Control> item = AddMenuItem(*tools, kRows[i].bitmap, kRows[i].menuCaption);
      if (!item) continue;
      menuItems_[i] = std::move(*item);
      Subscribe(menuItems_[i], sinks.menuItems[i], kPlaceFirstItemClick + static_cast<int>(i));
    }
  }
  if (const CommandBarControlsPtr help =
          MenuControls(*menus.value, kHelpMenuIndex, kPlaceHelpMenu)) {
    if (std::optional<Control> item = AddMenuItem(*help, kHelpBitmap, kHelpCaption)) {
      help_ = std::move(*item);
      Subscribe(help_, sinks.help, kPlaceHelpClick);
    }
  }
  return buildStatus_;
}

void Toolbar::SetVisibility() {
  if (!bar_) return;
  Log(bar_->SetVisible(env_.options.bShowToolbar != 0), kPlaceBarVisible);
}

void Toolbar::Disconnect() {
  for (std::size_t i = 0; i < kToolbarCommandCount; ++i) {
    Unsubscribe(buttons_[i], kPlaceFirstButtonUnadvise + static_cast<int>(i));
  }
  for (std::size_t i = 0; i < kToolbarCommandCount; ++i) {
    Unsubscribe(menuItems_[i], kPlaceFirstItemUnadvise + static_cast<int>(i));
  }
  Unsubscribe(help_, kPlaceHelpUnadvise);
}

const CommandBarButtonPtr& Toolbar::Button(ToolbarCommand command) const {
  return buttons_[Index(command)].control;
}

const CommandBarButtonPtr& Toolbar::MenuItem(ToolbarCommand command) const {
  return menuItems_[Index(command)].control;
}

bool Toolbar::HoldsSubscriptions() const {
  const auto held = [](const Control& control) { return control.cookie.has_value(); };
  return std::any_of(buttons_.begin(), buttons_.end(), held) ||
         std::any_of(menuItems_.begin(), menuItems_.end(), held) || held(help_);
}

bool Toolbar::ButtonHasCommand(ToolbarCommand command) const {
  return buttons_[Index(command)].cookie.has_value();
}

bool Toolbar::MenuItemHasCommand(ToolbarCommand command) const {
  return menuItems_[Index(command)].cookie.has_value();
}

}  // namespace skerrow
