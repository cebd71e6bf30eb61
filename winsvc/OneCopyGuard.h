// Keeps one main window of the mail client: at every tick of its timer, every
// other top-level window whose title shows the client's name is asked to
// close. The window kept is the main window this add-in's procedure sits on;
// without one, the main window the window system names at the tick.
#pragma once

#include <string_view>

#include "platform/WindowSystem.h"

namespace skerrow {

class CodePage;

class OneCopyGuard {
 public:
  // Found anywhere in an upper-cased title.
  static constexpr std::string_view kTitleMark = "- MICROSOFT OUTLOOK";
  static constexpr std::size_t kTitleBufferSize = 1024;

  OneCopyGuard(WindowSystem& windows, const CodePage& codePage)
      : windows_(windows), codePage_(codePage) {}

  // The window that must stay (kNoWindow: ask the window system each tick).
  void SetKeptWindow(WindowHandle window) { keptWindow_ = window; }

  void Tick();

 private:
  WindowSystem& windows_;
  const CodePage& codePage_;
  WindowHandle keptWindow_ = kNoWindow;
};

}  // namespace skerrow
