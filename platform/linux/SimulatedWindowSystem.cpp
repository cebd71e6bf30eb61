#include "platform/linux/SimulatedWindowSystem.h"

#include <algorithm>
#include <utility>

namespace skerrow {

namespace {

// The window system raises shorter timer periods to this minimum; it also
// keeps Advance from looping forever on a period of 0.
constexpr unsigned kMinimumTimerPeriodMs = 10;

WParam SizeKind(int showState) {
  switch (showState) {
    case sw::kShowMinimized:
      return size::kMinimized;
    case sw::kShowMaximized:
      return size::kMaximized;
    default:
      return size::kRestored;
  }
}

}  // namespace

SimulatedWindowSystem::Window* SimulatedWindowSystem::Find(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const SimulatedWindowSystem::Window* SimulatedWindowSystem::Find(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowHandle SimulatedWindowSystem::MainWindow() {
  if (moduleMainWindow_ != kNoWindow) return moduleMainWindow_;
  return activeWindow_;
}

std::vector<WindowHandle> SimulatedWindowSystem::TopLevelWindows() {
  return order_;
}

std::string SimulatedWindowSystem::WindowTitle(WindowHandle window, std::size_t bufferSize) {
  const Window* found = Find(window);
  if (found == nullptr || bufferSize == 0) return {};
  return found->title.substr(0, bufferSize - 1);
}

WindowHandle SimulatedWindowSystem::ParentWindow(WindowHandle window) {
  const Window* found = Find(window);
  return found == nullptr ? kNoWindow : found->owner;
}

std::optional<int> SimulatedWindowSystem::PlacementShowState(WindowHandle window) {
  const Window* found = Find(window);
  if (found == nullptr) return std::nullopt;
  return found->showState;
}

bool SimulatedWindowSystem::Show(WindowHandle window, int showCommand) {
  Window* found = Find(window);
  if (found == nullptr) return false;
  const bool wasVisible = found->visible;
  const int oldState = found->showState;
  int newState = oldState;
  switch (showCommand) {
    case sw::kHide:
      found->visible = false;
      return wasVisible;
    case sw::kShowNormal:
      newState = sw::kShowNormal;
      break;
    case sw::kRestore:
      newState = oldState == sw::kShowMinimized && found->restoreToMaximized ? sw::kShowMaximized
                                                                             : sw::kShowNormal;
      break;
    case sw::kShowMinimized:
    case sw::kMinimize:
      if (oldState != sw::kShowMinimized)
        found->restoreToMaximized = oldState == sw::kShowMaximized;
      newState = sw::kShowMinimized;
      break;
    case sw::kShowMaximized:
      newState = sw::kShowMaximized;
      break;
    default:  // kShow, kShowNoActivate and the rest keep the state
      break;
  }
  found->visible = true;
  found->showState = newState;
  // A change of size reaches the window as WM_SIZE, through whatever
  // procedure is current; the record may be gone afterwards.
  if (newState != oldState) Deliver(window, wm::kSize, SizeKind(newState), 0);
  return wasVisible;
}

bool SimulatedWindowSystem::SetZOrder(WindowHandle window, std::intptr_t insertAfter,
                                      unsigned flags) {
  Window* found = Find(window);
  if (found == nullptr) return false;
  if (insertAfter == swp::kTopmost) {
    found->topmost = true;
  } else if (insertAfter == swp::kNotTopmost) {
    found->topmost = false;
  } else {
    return false;
  }
  found->zOrderChanges.push_back(insertAfter);
  if (flags & swp::kShowWindow) found->visible = true;
  return true;
}

ProcedureToken SimulatedWindowSystem::ReplaceProcedure(WindowHandle window,
                                                       std::shared_ptr<WindowProcedure> procedure) {
  Window* found = Find(window);
  if (found == nullptr || procedure == nullptr) return kNoProcedure;
  const ProcedureToken token = nextProcedure_++;
  procedures_[token] = Procedure{window, std::move(procedure)};
  return std::exchange(found->currentProcedure, token);
}

bool SimulatedWindowSystem::IsCurrentProcedure(WindowHandle window,
                                               const WindowProcedure& procedure) {
  const Window* found = Find(window);
  if (found == nullptr) return false;
  auto current = procedures_.find(found->currentProcedure);
  return current != procedures_.end() && current->second.replacement.get() == &procedure;
}

bool SimulatedWindowSystem::RestoreProcedure(WindowHandle window, ProcedureToken previous) {
  Window* found = Find(window);
  if (found == nullptr || procedures_.count(previous) == 0) return false;
  const ProcedureToken dropped = std::exchange(found->currentProcedure, previous);
  if (dropped != found->ownProcedure && dropped != previous) procedures_.erase(dropped);
  return true;
}

LResult SimulatedWindowSystem::CallProcedure(ProcedureToken procedure, WindowHandle window,
                                             unsigned message, WParam wParam, LParam lParam) {
  auto found = procedures_.find(procedure);
  if (found == procedures_.end() || Find(window) == nullptr) return 0;
  // Held for the call: the procedure may be dropped while it runs.
  std::shared_ptr<WindowProcedure> replacement = found->second.replacement;
  if (replacement == nullptr) return OwnProcedure(window, message, wParam, lParam);
  return replacement->OnMessage(window, message, wParam, lParam);
}

LResult SimulatedWindowSystem::OwnProcedure(WindowHandle window, unsigned message, WParam wParam,
                                            LParam lParam) {
  Window* found = Find(window);
  if (found == nullptr) return 0;
  found->received.push_back(Message{window, message, wParam, lParam});
  if (message == wm::kClose) RemoveWindow(window);
  return 0;
}

bool SimulatedWindowSystem::Post(WindowHandle window, unsigned message, WParam wParam,
                                 LParam lParam) {
  if (Find(window) == nullptr) return false;
  posted_.push_back(Message{window, message, wParam, lParam});
  return true;
}

TimerId SimulatedWindowSystem::StartThreadTimer(unsigned periodMs, std::function<void()> callback) {
  if (!callback) return kNoTimer;
  const unsigned period = std::max(periodMs, kMinimumTimerPeriodMs);
  const TimerId id = nextTimer_++;
  timers_[id] =
      Timer{period, nowMs_ + period, std::make_shared<std::function<void()>>(std::move(callback))};
  return id;
}

bool SimulatedWindowSystem::StopThreadTimer(TimerId timer) {
  return timers_.erase(timer) > 0;
}

bool SimulatedWindowSystem::AddNotifyIcon(const NotifyIconRecord& record) {
  if (iconAddFails_) return false;
  for (const NotifyIconRecord& icon : icons_) {
    if (icon.window == record.window && icon.id == record.id) return false;
  }
  icons_.push_back(record);
  return true;
}

bool SimulatedWindowSystem::DeleteNotifyIcon(const NotifyIconRecord& record) {
  auto found = std::find_if(icons_.begin(), icons_.end(), [&](const NotifyIconRecord& icon) {
    return icon.window == record.window && icon.id == record.id;
  });
  if (found == icons_.end()) return false;
  icons_.erase(found);
  return true;
}

WindowHandle SimulatedWindowSystem::AddWindow(std::string title, WindowHandle owner) {
  const WindowHandle handle{nextHandle_};
  nextHandle_ += 0x10;
  const ProcedureToken own = nextProcedure_++;
  procedures_[own] = Procedure{handle, nullptr};
  Window window;
  window.title = std::move(title);
  window.owner = owner;
  window.ownProcedure = own;
  window.currentProcedure = own;
  windows_.emplace(handle, std::move(window));
  order_.push_back(handle);
  return handle;
}

void SimulatedWindowSystem::RemoveWindow(WindowHandle window) {
  if (windows_.erase(window) == 0) return;
  order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
  std::erase_if(procedures_, [&](const auto& entry) { return entry.second.window == window; });
  if (activeWindow_ == window) activeWindow_ = kNoWindow;
  if (moduleMainWindow_ == window) moduleMainWindow_ = kNoWindow;
}

bool SimulatedWindowSystem::Exists(WindowHandle window) const {
  return Find(window) != nullptr;
}

void SimulatedWindowSystem::SetTitle(WindowHandle window, std::string title) {
  if (Window* found = Find(window)) found->title = std::move(title);
}

bool SimulatedWindowSystem::IsVisible(WindowHandle window) const {
  const Window* found = Find(window);
  return found != nullptr && found->visible;
}

bool SimulatedWindowSystem::IsTopmost(WindowHandle window) const {
  const Window* found = Find(window);
  return found != nullptr && found->topmost;
}

std::vector<std::intptr_t> SimulatedWindowSystem::ZOrderChanges(WindowHandle window) const {
  const Window* found = Find(window);
  return found == nullptr ? std::vector<std::intptr_t>{} : found->zOrderChanges;
}

void SimulatedWindowSystem::SetModuleMainWindow(WindowHandle window) {
  moduleMainWindow_ = window;
}

void SimulatedWindowSystem::Activate(WindowHandle window) {
  activeWindow_ = window;
}

LResult SimulatedWindowSystem::Deliver(WindowHandle window, unsigned message, WParam wParam,
                                       LParam lParam) {
  const Window* found = Find(window);
  if (found == nullptr) return 0;
  return CallProcedure(found->currentProcedure, window, message, wParam, lParam);
}

bool SimulatedWindowSystem::HasOwnProcedure(WindowHandle window) const {
  const Window* found = Find(window);
  return found != nullptr && found->currentProcedure == found->ownProcedure;
}

std::vector<SimulatedWindowSystem::Message> SimulatedWindowSystem::ReceivedByOwnProcedure(
    WindowHandle window) const {
  const Window* found = Find(window);
  return found == nullptr ? std::vector<Message>{} : found->received;
}

std::vector<SimulatedWindowSystem::Message> SimulatedWindowSystem::PostedMessages(
    WindowHandle window) const {
  std::vector<Message> result;
  for (const Message& message : posted_) {
    if (message.window == window) result.push_back(message);
  }
  return result;
}

std::vector<SimulatedWindowSystem::Message> SimulatedWindowSystem::PostedMessages() const {
  return {posted_.begin(), posted_.end()};
}

void SimulatedWindowSystem::DeliverPostedMessages() {
  while (!posted_.empty()) {
    const Message message = posted_.front();
    posted_.pop_front();
    Deliver(message.window, message.message, message.wParam, message.lParam);
  }
}

void SimulatedWindowSystem::Advance(unsigned ms) {
  const std::uint64_t target = nowMs_ + ms;
  for (;;) {
    // The earliest due timer; callbacks may start or stop timers, so look
    // again after each one.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.dueMs <= target &&
          (next == timers_.end() || it->second.dueMs < next->second.dueMs)) {
        next = it;
      }
    }
    if (next == timers_.end()) break;
    nowMs_ = next->second.dueMs;
    next->second.dueMs += next->second.periodMs;
    std::shared_ptr<std::function<void()>> callback = next->second.callback;
    (*callback)();
  }
  nowMs_ = target;
}

}  // namespace skerrow
