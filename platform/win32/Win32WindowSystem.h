// The window system of Windows. Window handles are HWNDs, procedure tokens
// the WNDPROC values of GWLP_WNDPROC; replaced procedures run through the
// thunks of WindowProcedureThunks.h, thread timers through ThreadTimers.h.
//
// Destroying the window system stops the timers it started, and every
// procedure it installed that is still in a window's chain (because another
// procedure was put on top of it) passes messages straight on from then on,
// so nothing leads into objects that are gone.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/WindowSystem.h"

namespace skerrow {

class Win32WindowSystem : public WindowSystem {
 public:
  // Icons for the notification area come from module (a null module: the
  // system's icons).
  explicit Win32WindowSystem(HINSTANCE module) : module_(module) {}
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  static HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
  }
  static WindowHandle ToHandle(HWND window) {
    return WindowHandle{reinterpret_cast<std::uintptr_t>(window)};
  }

  // The module (a DLL in the mail client's process) sets no main window of
  // its own: this is the window active on the calling thread.
  WindowHandle MainWindow() override;
  std::vector<WindowHandle> TopLevelWindows() override;
  std::string WindowTitle(WindowHandle window, std::size_t bufferSize) override;
  // GetParent: for a top-level pop-up window, its owner.
  WindowHandle ParentWindow(WindowHandle window) override;
  std::optional<int> PlacementShowState(WindowHandle window) override;
  bool Show(WindowHandle window, int showCommand) override;
  // Never moves or sizes the window, whatever the flags say; false for any
  // other insert-after value than swp::kTopmost and swp::kNotTopmost.
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
  // See NotifyIconData.h for the record's size.
  bool AddNotifyIcon(const NotifyIconRecord& record) override;
  bool DeleteNotifyIcon(const NotifyIconRecord& record) override;

 private:
  bool NotifyIcon(DWORD action, const NotifyIconRecord& record);

  HINSTANCE module_;
  std::vector<TimerId> timers_;
  std::vector<HWND> hookedWindows_;
};

}  // namespace skerrow
