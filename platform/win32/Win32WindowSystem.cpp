#include "platform/win32/Win32WindowSystem.h"

#include <algorithm>

#include "platform/win32/NotifyIconData.h"
#include "platform/win32/ThreadTimers.h"
#include "platform/win32/WindowProcedureThunks.h"

namespace skerrow {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(
      Win32WindowSystem::ToHandle(window));
  return TRUE;
}

}  // namespace

Win32WindowSystem::~Win32WindowSystem() {
  for (TimerId timer : timers_) win32::StopThreadTimer(timer);
  for (HWND window : hookedWindows_) win32::OrphanProcedures(window, this);
}

WindowHandle Win32WindowSystem::MainWindow() {
  return ToHandle(GetActiveWindow());
}

std::vector<WindowHandle> Win32WindowSystem::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string Win32WindowSystem::WindowTitle(WindowHandle window, std::size_t bufferSize) {
  HWND hwnd = ToHwnd(window);
  if (bufferSize == 0 || !IsWindow(hwnd)) return {};
  const int size = static_cast<int>((std::min)(bufferSize, std::size_t{0x7FFFFFFF}));
  std::string title(static_cast<std::size_t>(size), '\0');
  const int length = GetWindowTextA(hwnd, title.data(), size);
  title.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return title;
}

WindowHandle Win32WindowSystem::ParentWindow(WindowHandle window) {
  return ToHandle(GetParent(ToHwnd(window)));
}

std::optional<int> Win32WindowSystem::PlacementShowState(WindowHandle window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(ToHwnd(window), &placement)) return std::nullopt;
  return static_cast<int>(placement.showCmd);
}

bool Win32WindowSystem::Show(WindowHandle window, int showCommand) {
  return ShowWindow(ToHwnd(window), showCommand) != FALSE;
}

bool Win32WindowSystem::SetZOrder(WindowHandle window, std::intptr_t insertAfter, unsigned flags) {
  if (insertAfter != swp::kTopmost && insertAfter != swp::kNotTopmost) return false;
  return SetWindowPos(ToHwnd(window), reinterpret_cast<HWND>(insertAfter), 0, 0, 0, 0,
                      flags | SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

ProcedureToken Win32WindowSystem::ReplaceProcedure(WindowHandle window,
                                                   std::shared_ptr<WindowProcedure> procedure) {
  HWND hwnd = ToHwnd(window);
  const ProcedureToken previous = win32::InstallProcedure(hwnd, std::move(procedure), this);
  if (previous != kNoProcedure &&
      std::find(hookedWindows_.begin(), hookedWindows_.end(), hwnd) == hookedWindows_.end()) {
    hookedWindows_.push_back(hwnd);
  }
  return previous;
}

bool Win32WindowSystem::IsCurrentProcedure(WindowHandle window, const WindowProcedure& procedure) {
  return win32::IsCurrentProcedure(ToHwnd(window), procedure);
}

bool Win32WindowSystem::RestoreProcedure(WindowHandle window, ProcedureToken previous) {
  return win32::RestoreProcedure(ToHwnd(window), previous);
}

LResult Win32WindowSystem::CallProcedure(ProcedureToken procedure, WindowHandle window,
                                         unsigned message, WParam wParam, LParam lParam) {
  return win32::CallProcedure(procedure, ToHwnd(window), message, wParam, lParam);
}

bool Win32WindowSystem::Post(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
  // PostMessageA takes no window as the thread's queue and 0xFFFF as every
  // top-level window: neither is a window here.
  if (!IsWindow(ToHwnd(window))) return false;
  return PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

TimerId Win32WindowSystem::StartThreadTimer(unsigned periodMs, std::function<void()> callback) {
  const TimerId timer = win32::StartThreadTimer(periodMs, std::move(callback));
  if (timer != kNoTimer) timers_.push_back(timer);
  return timer;
}

bool Win32WindowSystem::StopThreadTimer(TimerId timer) {
  auto found = std::find(timers_.begin(), timers_.end(), timer);
  if (found == timers_.end()) return false;
  timers_.erase(found);
  return win32::StopThreadTimer(timer);
}

bool Win32WindowSystem::AddNotifyIcon(const NotifyIconRecord& record) {
  return NotifyIcon(NIM_ADD, record);
}

bool Win32WindowSystem::DeleteNotifyIcon(const NotifyIconRecord& record) {
  return NotifyIcon(NIM_DELETE, record);
}

bool Win32WindowSystem::NotifyIcon(DWORD action, const NotifyIconRecord& record) {
  // The shell finds the icon to delete by its window and id alone: no
  // picture needs loading for that.
  NotifyIconRecord sent = record;
  if (action == NIM_DELETE) sent.flags &= ~nif::kIcon;
  NOTIFYICONDATAA data;
  if (!win32::NotifyIconDataFor(sent, module_, data)) return false;
  return Shell_NotifyIconA(action, &data) != FALSE;
}

}  // namespace skerrow
