// The window system: top-level windows, their titles, placement and show
// state, window procedures, posted messages, thread timers and the
// notification area. On Linux a simulated window system implements it.
//
// Every call is made on the mail client's user-interface thread; window
// procedures and timer callbacks are entered on that thread too, one at a time
// except that a procedure may be re-entered by what it calls (showing a window
// sends it WM_SIZE). Names avoid the Win32 macros (SendMessage, PostMessage,
// GetWindowText, ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowConstants.h"

namespace skerrow {

// A window of the window system; kNoWindow names none.
enum class WindowHandle : std::uintptr_t {};
inline constexpr WindowHandle kNoWindow{};

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// A window procedure installed in place of a window's own. The window system
// keeps it alive while it is installed.
class WindowProcedure {
 public:
  virtual ~WindowProcedure() = default;
  virtual LResult OnMessage(WindowHandle window, unsigned message, WParam wParam,
                            LParam lParam) = 0;
};

// An installed window procedure as the window system knows it (the value
// SetWindowLongA returns for GWL_WNDPROC); kNoProcedure names none. Only
// meaningful to hand back to the same window system.
using ProcedureToken = std::uintptr_t;
inline constexpr ProcedureToken kNoProcedure = 0;

// A thread timer without a window; 0 names none.
using TimerId = std::uintptr_t;
inline constexpr TimerId kNoTimer = 0;

// The notification area's data for one icon (the shell's version 5 layout).
struct NotifyIconRecord {
  // 488 for the version 5 layout, its size in a 32-bit process, in every
  // build: the Windows home hands the shell its own build's size of that
  // layout (504 bytes in a 64-bit process).
  std::uint32_t size = 0;
  WindowHandle window = kNoWindow;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;  // nif::*
  std::uint32_t callbackMessage = 0;
  int iconResource = 0;  // an icon resource of the module
  std::string tip;       // at most 127 characters are shown

  bool operator==(const NotifyIconRecord&) const = default;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The module's main window if one is set, otherwise the window active on
  // the calling thread at this moment; kNoWindow when there is neither.
  virtual WindowHandle MainWindow() = 0;
  // Every top-level window, in the order EnumWindows reports them.
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  // GetWindowTextA into a buffer of bufferSize bytes: the title cut to
  // bufferSize - 1 characters; empty for a window that does not exist.
  virtual std::string WindowTitle(WindowHandle window, std::size_t bufferSize) = 0;
  // GetParent: kNoWindow for a top-level window or one that does not exist.
  virtual WindowHandle ParentWindow(WindowHandle window) = 0;
  // The show state of GetWindowPlacement (sw::kShowNormal, kShowMinimized,
  // kShowMaximized); empty when the placement cannot be read.
  virtual std::optional<int> PlacementShowState(WindowHandle window) = 0;
  // ShowWindow with a show command (sw::*); whether it was visible before.
  virtual bool Show(WindowHandle window, int showCommand) = 0;
  // SetWindowPos with swp::kTopmost or swp::kNotTopmost as the window to
  // insert after, without moving or sizing (flags: swp::*). False on failure.
  virtual bool SetZOrder(WindowHandle window, std::intptr_t insertAfter, unsigned flags) = 0;

  // Puts procedure in the window's place of its procedure; the result is the
  // previous procedure, or kNoProcedure when the window has none to replace
  // (the replacement failed and procedure is not installed).
  virtual ProcedureToken ReplaceProcedure(WindowHandle window,
                                          std::shared_ptr<WindowProcedure> procedure) = 0;
  // Whether procedure is the window's current procedure (nobody replaced it
  // after us).
  virtual bool IsCurrentProcedure(WindowHandle window, const WindowProcedure& procedure) = 0;
  // Makes previous the window's current procedure again; the procedure that
  // was current is dropped. False when the window does not exist.
  virtual bool RestoreProcedure(WindowHandle window, ProcedureToken previous) = 0;
  // CallWindowProcA: hands a message to a procedure that was replaced.
  virtual LResult CallProcedure(ProcedureToken procedure, WindowHandle window, unsigned message,
                                WParam wParam, LParam lParam) = 0;
  // PostMessageA: queues the message for the window; false when it cannot.
  virtual bool Post(WindowHandle window, unsigned message, WParam wParam, LParam lParam) = 0;

  // SetTimer without a window: the callback runs every periodMs milliseconds
  // from the thread's message loop until the timer is stopped. kNoTimer on
  // failure.
  virtual TimerId StartThreadTimer(unsigned periodMs, std::function<void()> callback) = 0;
  // KillTimer; false when no such timer runs.
  virtual bool StopThreadTimer(TimerId timer) = 0;

  // Shell_NotifyIconA with NIM_ADD / NIM_DELETE. Adding an icon that is
  // already there fails, and so does deleting one that is not.
  virtual bool AddNotifyIcon(const NotifyIconRecord& record) = 0;
  virtual bool DeleteNotifyIcon(const NotifyIconRecord& record) = 0;
};

}  // namespace skerrow
