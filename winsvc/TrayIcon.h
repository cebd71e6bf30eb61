// The notification-area icon through which a main window hidden to the tray
// comes back. One record, with the fixed values the icon is known by; the
// window is the one whose procedure answers the icon's callback message.
#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"

namespace skerrow {

class TrayIcon {
 public:
  static constexpr std::uint32_t kRecordSize = 488;  // the shell's version 5 layout
  static constexpr std::uint32_t kIconId = 555;
  static constexpr std::uint32_t kFlags = nif::kMessage | nif::kIcon | nif::kTip;  // 7
  static constexpr int kIconResource = 210;
  static constexpr const char* kTip = "MS Outlook";

  explicit TrayIcon(WindowSystem& windows) : windows_(windows) {}

  // The record for an icon on window.
  static NotifyIconRecord RecordFor(WindowHandle window);

  // The window the icon belongs to; the icon must be removed before it moves.
  void SetWindow(WindowHandle window) { window_ = window; }
  WindowHandle Window() const { return window_; }

  // Adds the icon; true when it is in the notification area afterwards.
  // Without a window there is nothing for the icon to call back, so nothing
  // is added.
  bool Add();
  // Deletes the icon, whether or not this object added it.
  void Remove();
  bool IsShown() const { return shown_; }

 private:
  WindowSystem& windows_;
  WindowHandle window_ = kNoWindow;
  bool shown_ = false;
};

}  // namespace skerrow
