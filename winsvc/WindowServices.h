// The window services of one connection: hiding the main window to the
// notification area, remembering its maximized state, keeping one main window
// and opening non-wave reminder sounds. Owned by the add-in object; all their
// state lives here.
//
// Use at connection: Start() (or StartOneCopyTimer() then
// InstallWindowProcedure(), which is what it does); route the Reminder event
// to OnReminder; after the options page applies, ShowIcon(bHideViaExit).
// At disconnection: RemoveIcon(), then Stop(), so that nothing in the
// window system leads into the add-in's code once it is gone.
//
// Single-threaded: every call, the window procedure and the timer run on the
// mail client's user-interface thread.
#pragma once

#include <memory>
#include <string_view>

#include "host/MailHost.h"
#include "platform/WindowSystem.h"
#include "winsvc/OneCopyGuard.h"
#include "winsvc/ReminderHandler.h"
#include "winsvc/TrayIcon.h"

namespace skerrow {

struct Platform;
struct FilterOptions;
class MainWindowProcedure;

class WindowServices {
 public:
  static constexpr unsigned kOneCopyPeriodMs = 500;

  // Both must outlive this object.
  WindowServices(Platform& platform, FilterOptions& options);
  // Stops whatever still runs.
  ~WindowServices();
  WindowServices(const WindowServices&) = delete;
  WindowServices& operator=(const WindowServices&) = delete;

  // Start-up: the one-copy timer when bUniqueApp is on, then the window
  // procedure on the main window and, when that succeeded and bHideViaExit
  // is on, the icon.
  void Start();
  // Starts the one-copy timer (whatever the options say); a running one is
  // kept.
  void StartOneCopyTimer();
  // Puts the service's procedure on the main window (the module's, else the
  // active one); true when the window's previous procedure was replaced. With
  // the procedure already on a window, returns true and changes nothing.
  bool InstallWindowProcedure();

  // The icon. It only appears while the procedure that answers its clicks is
  // installed, and it is removed whatever added it.
  void ShowIcon(bool show);
  void AddIcon() { ShowIcon(true); }
  void RemoveIcon();

  // The Reminder event (argument: the item whose reminder fires).
  void OnReminder(const DispatchPtr& item) { reminders_.OnReminder(item); }
  // Opens a file with its associated program, else reports it to the user.
  bool OpenWithAssociatedProgram(std::string_view path);

  // Disconnection: stops the one-copy timer, removes the icon and puts the
  // main window's previous procedure back if ours is still the current one.
  // If another procedure was put on top of ours meanwhile, ours stays in the
  // chain, only passing messages on (unhooking it would cut the other one
  // off). Returns CanUnload(). Safe to call more than once.
  bool Stop();
  // True when nothing in the window system leads into this module any more
  // (no timer, no procedure of ours on a window).
  bool CanUnload() const;

  TimerId OneCopyTimer() const { return timer_; }
  WindowHandle HookedWindow() const { return hookedWindow_; }
  bool IsIconShown() const { return icon_.IsShown(); }
  // A one-copy tick, as the timer runs it.
  void CheckOneCopy() { guard_.Tick(); }

 private:
  Platform& platform_;
  FilterOptions& options_;
  TrayIcon icon_;
  OneCopyGuard guard_;
  ReminderHandler reminders_;
  TimerId timer_ = kNoTimer;
  WindowHandle hookedWindow_ = kNoWindow;
  std::shared_ptr<MainWindowProcedure> procedure_;
  // A procedure that could not be unhooked at Stop and still sits in a chain.
  bool procedureLeftInChain_ = false;
};

}  // namespace skerrow
