#include "winsvc/TrayIcon.h"

namespace skerrow {

NotifyIconRecord TrayIcon::RecordFor(WindowHandle window) {
  NotifyIconRecord record;
  record.size = kRecordSize;
  record.window = window;
  record.id = kIconId;
  record.flags = kFlags;
  record.callbackMessage = wm::kNotifyIconCallback;
  record.iconResource = kIconResource;
  record.tip = kTip;
  return record;
}

bool TrayIcon::Add() {
  if (window_ == kNoWindow) return false;
  // Adding an icon that is already there fails; it is still there.
  shown_ = windows_.AddNotifyIcon(RecordFor(window_)) || shown_;
  return shown_;
}

void TrayIcon::Remove() {
  if (window_ != kNoWindow) windows_.DeleteNotifyIcon(RecordFor(window_));
  shown_ = false;
}

}  // namespace skerrow
