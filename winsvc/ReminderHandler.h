// The mail client's Reminder event: while bAllowPlayMpg is on, a task's
// reminder sound that is not a wave file (which the client plays itself) is
// opened with the program registered for it.
//
// A reminder's sound file is a property of the task, and tasks can arrive from
// other people, so only sound and video files are opened this way: a program
// named as a "sound" is never started.
#pragma once

#include <string_view>

#include "host/MailHost.h"

namespace skerrow {

struct Platform;
struct FilterOptions;

class ReminderHandler {
 public:
  ReminderHandler(Platform& platform, const FilterOptions& options)
      : platform_(platform), options_(options) {}

  // item: the object whose reminder fires; only a task item has a sound here.
  void OnReminder(const DispatchPtr& item);

  // Whether the file name ends in the extension of a sound or video format
  // (any letter case).
  static bool IsMediaFile(std::string_view name);

 private:
  Platform& platform_;
  const FilterOptions& options_;
};

}  // namespace skerrow
