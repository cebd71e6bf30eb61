// The command bar controls that offer the user commands: the "Tamsquill"
// toolbar with four buttons, four items at the end of the menu bar's fifth menu
// (Tools) and a Help item at the end of its seventh (Help). All are temporary:
// the mail client discards them when it closes, so they are built at every
// connection.
//
// The Toolbar keeps the bar, the controls and their Click subscriptions for
// the connection. The sinks belong to the add-in object and must outlive the
// subscriptions (until Disconnect).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/Env.h"
#include "host/MailHost.h"

namespace skerrow {

// The four commands, in the order of the toolbar and of the Tools menu.
enum class ToolbarCommand { ToSpam, ToInbox, Mark, Unmark };
inline constexpr std::size_t kToolbarCommandCount = 4;

// Where each control's Click goes. Null sinks leave that control without a
// command.
struct ToolbarSinks {
  std::array<EventSink*, kToolbarCommandCount> buttons{};    // toolbar: To Spam .. Unmark
  std::array<EventSink*, kToolbarCommandCount> menuItems{};  // Tools menu: the same commands
  EventSink* help = nullptr;                                 // Help menu
};

class Toolbar {
 public:
  explicit Toolbar(Env env) : env_(env) {}
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  // Adds the toolbar and its four buttons, subscribes each button whose face
  // could be pasted, then sets the visibility from bShowToolbar. Each button's
  // face goes through the clipboard, replacing what it held. The controls of
  // an earlier build are forgotten: Disconnect them first. Every failure is
  // logged at its own place; the result is the first of them, or success.
  HResult BuildToolbar(CommandBars& bars, const ToolbarSinks& sinks);

  // Appends the four command items to menu 5 and the Help item to menu 7 of
  // the active menu bar and subscribes them. A menu that is missing or not a
  // popup gets no items. The result is the first failure, or success.
  HResult BuildMenuItems(CommandBars& bars, const ToolbarSinks& sinks);

  // Shows the toolbar when bShowToolbar is on, hides it otherwise. Nothing
  // happens when no toolbar was built.
  void SetVisibility();

  // Cancels every Click subscription: the buttons, then the Tools items, then
  // the Help item. Controls are kept (they are temporary anyway), and so is a
  // subscription whose cancelling failed, to be tried again.
  void Disconnect();
  bool HoldsSubscriptions() const;

  const CommandBarPtr& Bar() const { return bar_; }
  // The control of a toolbar button or menu item, null when it was not made.
  const CommandBarButtonPtr& Button(ToolbarCommand command) const;
  const CommandBarButtonPtr& MenuItem(ToolbarCommand command) const;
  const CommandBarButtonPtr& HelpItem() const { return help_.control; }
  // True while the control's Click is subscribed.
  bool ButtonHasCommand(ToolbarCommand command) const;
  bool MenuItemHasCommand(ToolbarCommand command) const;
  bool HelpItemHasCommand() const { return help_.cookie.has_value(); }

 private:
  struct Control {
    CommandBarButtonPtr control;
    std::optional<std::uint32_t> cookie;
  };

  std::optional<Control> AddButton(CommandBarControls& controls, ToolbarCommand command);
  std::optional<Control> AddMenuItem(CommandBarControls& controls, int bitmap,
                                     const char16_t* caption);
  CommandBarControlsPtr MenuControls(CommandBarControls& menuBar, std::int32_t index,
                                     int firstPlace);
  // Logs the status at the place; the first failure of a build is its result.
  void Log(HResult status, int place);
  void Subscribe(Control& control, EventSink* sink, int place);
  void Unsubscribe(Control& control, int place);
  void PutFaceOnClipboard(int bitmap);

  Env env_;
  CommandBarPtr bar_;
  std::array<Control, kToolbarCommandCount> buttons_{};
  std::array<Control, kToolbarCommandCount> menuItems_{};
  Control help_{};
  HResult buildStatus_ = hr::kOk;
};

}  // namespace skerrow
