// The procedure put in place of the mail client's main window procedure. While
// bHideViaExit is on it hides the window instead of closing it, records
// whether the window is maximized, and brings the window back on a double
// click on the notification icon; everything else, and everything while the
// option is off, goes to the previous procedure.
//
// The window system keeps this object alive while it is installed, which may
// be longer than the window services that made it: once detached it only
// passes messages on and touches nothing but the window system.
#pragma once

#include "platform/WindowSystem.h"

namespace skerrow {

struct FilterOptions;
class Profile;
class TrayIcon;

class MainWindowProcedure : public WindowProcedure {
 public:
  MainWindowProcedure(WindowSystem& windows, FilterOptions& options, Profile& profile,
                      TrayIcon& icon)
      : windows_(windows), options_(options), profile_(profile), icon_(icon) {}

  // The procedure this one replaced; set once the replacement succeeded.
  void SetPrevious(ProcedureToken previous) { previous_ = previous; }
  ProcedureToken Previous() const { return previous_; }
  // From now on every message goes to the previous procedure.
  void Detach() { detached_ = true; }

  LResult OnMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) override;

 private:
  LResult PassOn(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
  void RecordMaximized(WindowHandle window);
  LResult HideToTray(WindowHandle window, WParam wParam, LParam lParam);
  LResult OnIconMouse(WindowHandle window, LParam lParam);

  WindowSystem& windows_;
  FilterOptions& options_;
  Profile& profile_;
  TrayIcon& icon_;
  ProcedureToken previous_ = kNoProcedure;
  bool detached_ = false;
};

}  // namespace skerrow
