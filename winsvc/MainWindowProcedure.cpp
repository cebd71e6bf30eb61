#include "winsvc/MainWindowProcedure.h"

#include "options/FilterOptions.h"
#include "winsvc/TrayIcon.h"

namespace skerrow {

LResult MainWindowProcedure::OnMessage(WindowHandle window, unsigned message, WParam wParam,
                                       LParam lParam) {
  // The option is read at every message, so switching it on the options page
  // acts at once.
  if (detached_ || !options_.bHideViaExit) return PassOn(window, message, wParam, lParam);
  switch (message) {
    case wm::kSize:
      RecordMaximized(window);
      return PassOn(window, message, wParam, lParam);
    case wm::kClose:
      return HideToTray(window, wParam, lParam);
    case wm::kNotifyIconCallback:
      return OnIconMouse(window, lParam);
    default:
      return PassOn(window, message, wParam, lParam);
  }
}

LResult MainWindowProcedure::PassOn(WindowHandle window, unsigned message, WParam wParam,
                                    LParam lParam) {
  return windows_.CallProcedure(previous_, window, message, wParam, lParam);
}

void MainWindowProcedure::RecordMaximized(WindowHandle window) {
  // An unreadable placement says nothing about the window: keep what was
  // recorded rather than guess.
  std::optional<int> state = windows_.PlacementShowState(window);
  if (!state) return;
  options_.bWndMaximize = *state == sw::kShowMaximized ? 1 : 0;
  options_.SaveOptions(profile_);
}

LResult MainWindowProcedure::HideToTray(WindowHandle window, WParam wParam, LParam lParam) {
  // A hidden window comes back only through the icon. When the icon cannot be
  // shown, closing as asked beats leaving the client running out of reach.
  if (!icon_.IsShown() && !icon_.Add()) return PassOn(window, wm::kClose, wParam, lParam);
  windows_.Show(window, sw::kHide);
  return 0;
}

LResult MainWindowProcedure::OnIconMouse(WindowHandle window, LParam lParam) {
  // The mouse message is in the low word of the second parameter.
  const unsigned mouseMessage = static_cast<unsigned>(lParam) & 0xFFFFu;
  if (mouseMessage != wm::kLeftButtonDoubleClick) return 0;
  // Topmost for a moment, so that the window comes up in front of whatever
  // the user is working in, then back among the others.
  windows_.SetZOrder(window, swp::kTopmost, swp::kNoMove | swp::kNoSize);
  windows_.Show(window, options_.bWndMaximize ? sw::kShowMaximized : sw::kRestore);
  windows_.SetZOrder(window, swp::kNotTopmost, swp::kNoMove | swp::kNoSize | swp::kShowWindow);
  return 1;
}

}  // namespace skerrow
