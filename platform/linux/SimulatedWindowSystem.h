// A window system without a screen: windows are records with a title, an
// owner, a placement and a chain of window procedures; posted messages wait in
// one queue; thread timers run on a clock that only Advance moves; the
// notification area is a list of icon records. Tests drive it through the
// helpers below; the command line leaves it idle.
//
// Every window starts with a procedure of its own that records what reaches
// it and, like the default procedure, destroys the window on WM_CLOSE.
// Single-threaded, like the window system it stands in for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace skerrow {

class SimulatedWindowSystem : public WindowSystem {
 public:
  struct Message {
    WindowHandle window = kNoWindow;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;

    bool operator==(const Message&) const = default;
  };

  SimulatedWindowSystem() = default;

  // WindowSystem.
  WindowHandle MainWindow() override;
  std::vector<WindowHandle> TopLevelWindows() override;
  std::string WindowTitle(WindowHandle window, std::size_t bufferSize) override;
  WindowHandle ParentWindow(WindowHandle window) override;
  std::optional<int> PlacementShowState(WindowHandle window) override;
  bool Show(WindowHandle window, int showCommand) override;
  bool SetZOrder(WindowHandle window, std::intptr_t insertAfter, unsigned flags) override;
  ProcedureToken ReplaceProcedure(WindowHandle window,
                                  std::shared_ptr<WindowProcedure> procedure) override;
  bool IsCurrentProcedure(WindowHandle window, const WindowProcedure& procedure) override;
  bool RestoreProcedure(WindowHandle window, ProcedureToken previous) override;
  LResult CallProcedure(ProcedureToken procedure, WindowHandle window, unsigned message,
                        WParam wParam, LParam lParam) override;
  bool Post(WindowHandle window, unsigned message, WParam wParam, LParam lParam) override;
  TimerId StartThreadTimer(unsigned periodMs, std::function<void()> callback) override;
  bool StopThreadTimer(TimerId timer) override;
  bool AddNotifyIcon(const NotifyIconRecord& record) override;
  bool DeleteNotifyIcon(const NotifyIconRecord& record) override;

  // Windows. A new window is top-level (owned when owner is given), visible,
  // in the normal show state, and last in the enumeration order.
  WindowHandle AddWindow(std::string title, WindowHandle owner = kNoWindow);
  // Destroys the window as DestroyWindow would; its procedures are dropped.
  void RemoveWindow(WindowHandle window);
  bool Exists(WindowHandle window) const;
  void SetTitle(WindowHandle window, std::string title);
  bool IsVisible(WindowHandle window) const;
  bool IsTopmost(WindowHandle window) const;
  // The insert-after values SetZOrder was given for the window, in order.
  std::vector<std::intptr_t> ZOrderChanges(WindowHandle window) const;
  // The module's main window (kNoWindow: none) and the thread's active one.
  void SetModuleMainWindow(WindowHandle window);
  void Activate(WindowHandle window);

  // Messages. Deliver sends a message through the window's current procedure
  // (as the window system does for a mouse click or a resize).
  LResult Deliver(WindowHandle window, unsigned message, WParam wParam = 0, LParam lParam = 0);
  // Whether the window's own procedure is its current one (every replacement
  // was taken out again).
  bool HasOwnProcedure(WindowHandle window) const;
  // What reached the window's own procedure, oldest first.
  std::vector<Message> ReceivedByOwnProcedure(WindowHandle window) const;
  // Posted messages not yet delivered, for one window or all, oldest first.
  std::vector<Message> PostedMessages(WindowHandle window) const;
  std::vector<Message> PostedMessages() const;
  // Delivers the waiting posted messages (and those posted meanwhile) through
  // the current procedures; messages for destroyed windows are dropped.
  void DeliverPostedMessages();

  // Timers: moves the clock by ms, running every timer callback that falls
  // due on the way, in time order.
  void Advance(unsigned ms);
  std::uint64_t NowMs() const { return nowMs_; }
  std::size_t RunningTimerCount() const { return timers_.size(); }

  // The notification area.
  const std::vector<NotifyIconRecord>& NotifyIcons() const { return icons_; }
  // While on, adding an icon fails (no taskbar yet, shell restarting).
  void SetNotifyIconAddFails(bool fails) { iconAddFails_ = fails; }

 private:
  struct Window {
    std::string title;
    WindowHandle owner = kNoWindow;
    int showState = sw::kShowNormal;
    bool restoreToMaximized = false;
    bool visible = true;
    bool topmost = false;
    ProcedureToken ownProcedure = kNoProcedure;
    ProcedureToken currentProcedure = kNoProcedure;
    std::vector<Message> received;
    std::vector<std::intptr_t> zOrderChanges;
  };
  struct Procedure {
    WindowHandle window = kNoWindow;
    std::shared_ptr<WindowProcedure> replacement;  // null: the window's own
  };
  struct Timer {
    unsigned periodMs = 0;
    std::uint64_t dueMs = 0;
    std::shared_ptr<std::function<void()>> callback;
  };

  Window* Find(WindowHandle window);
  const Window* Find(WindowHandle window) const;
  LResult OwnProcedure(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

  std::uintptr_t nextHandle_ = 0x10010;
  std::vector<WindowHandle> order_;  // enumeration order
  std::map<WindowHandle, Window> windows_;
  ProcedureToken nextProcedure_ = 0x7000;
  std::map<ProcedureToken, Procedure> procedures_;
  WindowHandle moduleMainWindow_ = kNoWindow;
  WindowHandle activeWindow_ = kNoWindow;
  std::deque<Message> posted_;
  std::uint64_t nowMs_ = 0;
  TimerId nextTimer_ = 1;
  std::map<TimerId, Timer> timers_;
  std::vector<NotifyIconRecord> icons_;
  bool iconAddFails_ = false;
};

}  // namespace skerrow
