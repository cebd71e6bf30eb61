#include "winsvc/WindowServices.h"

#include <algorithm>
#include <vector>

#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "winsvc/MainWindowProcedure.h"
#include "winsvc/OpenWithAssociatedProgram.h"

namespace skerrow {

namespace {

bool IsTopLevelWindow(WindowSystem& windows, WindowHandle window) {
  const std::vector<WindowHandle> all = windows.TopLevelWindows();
  return std::find(all.begin(), all.end(), window) != all.end();
}

}  // namespace

WindowServices::WindowServices(Platform& platform, FilterOptions& options)
    : platform_(platform),
      options_(options),
      icon_(platform.windows),
      guard_(platform.windows, platform.codePage),
      reminders_(platform, options) {}

WindowServices::~WindowServices() {
  Stop();
}

void WindowServices::Start() {
  if (options_.bUniqueApp) StartOneCopyTimer();
  if (InstallWindowProcedure() && options_.bHideViaExit) icon_.Add();
}

void WindowServices::StartOneCopyTimer() {
  if (timer_ != kNoTimer) return;
  timer_ = platform_.windows.StartThreadTimer(kOneCopyPeriodMs, [this] { guard_.Tick(); });
}

bool WindowServices::InstallWindowProcedure() {
  WindowSystem& windows = platform_.windows;
  if (hookedWindow_ != kNoWindow) return true;
  const WindowHandle main = windows.MainWindow();
  if (main == kNoWindow) return false;
  auto procedure =
      std::make_shared<MainWindowProcedure>(windows, options_, platform_.profile, icon_);
  const ProcedureToken previous = windows.ReplaceProcedure(main, procedure);
  if (previous == kNoProcedure) return false;
  procedure->SetPrevious(previous);
  procedure_ = std::move(procedure);
  hookedWindow_ = main;
  // The icon calls back the window whose procedure answers it.
  icon_.SetWindow(main);
  return true;
}

void WindowServices::ShowIcon(bool show) {
  if (!show) {
    RemoveIcon();
  } else if (hookedWindow_ != kNoWindow) {
    icon_.Add();
  }
}

void WindowServices::RemoveIcon() {
  icon_.Remove();
}

bool WindowServices::OpenWithAssociatedProgram(std::string_view path) {
  return skerrow::OpenWithAssociatedProgram(platform_.shell, platform_.ui, path);
}

bool WindowServices::Stop() {
  WindowSystem& windows = platform_.windows;
  if (timer_ != kNoTimer) {
    windows.StopThreadTimer(timer_);
    timer_ = kNoTimer;
  }
  if (hookedWindow_ != kNoWindow) {
    icon_.Remove();
    if (windows.IsCurrentProcedure(hookedWindow_, *procedure_)) {
      windows.RestoreProcedure(hookedWindow_, procedure_->Previous());
    } else if (IsTopLevelWindow(windows, hookedWindow_)) {
      // Someone put a procedure on top of ours and passes messages down to
      // it: taking ours out would cut theirs off. (A destroyed window took the
      // whole chain with it, which leaves nothing behind.)
      procedureLeftInChain_ = true;
    }
    // Whether it left the chain or not, it only passes messages on from now
    // on and no longer reaches into this object.
    procedure_->Detach();
    procedure_.reset();
    hookedWindow_ = kNoWindow;
    icon_.SetWindow(kNoWindow);
  }
  return CanUnload();
}

bool WindowServices::CanUnload() const {
  return timer_ == kNoTimer && hookedWindow_ == kNoWindow && !procedureLeftInChain_;
}

}  // namespace skerrow
