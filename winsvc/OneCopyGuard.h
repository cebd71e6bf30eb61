// Keeps one main window of the mail client: at every tick of its timer, every
// other top-level window whose title shows the client's name is asked to
// close. The window kept is the main window as the window system names it at
// that tick (the module's main window, else the active one), so a window the
// user has just opened and works in stays; a hidden-to-tray window asked to
// close only hides again.
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

  void Tick();

 private:
  WindowSystem& windows_;
  const CodePage& codePage_;
};

}  // namespace skerrow
