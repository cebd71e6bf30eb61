// Waits for changes in a store's directories: with inotify when the system
// offers it, else by sleeping for the poll interval (the caller then polls
// the folders and finds the changes itself).
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/maildir/DirectoryChanges.h"

namespace skerrow::maildir {

class MaildirWatcher {
 public:
  // Never fails: without inotify the watcher polls.
  static std::unique_ptr<MaildirWatcher> Create();
  ~MaildirWatcher();
  MaildirWatcher(const MaildirWatcher&) = delete;
  MaildirWatcher& operator=(const MaildirWatcher&) = delete;

  // Adds watches on the directories not watched yet.
  void Watch(const std::vector<std::string>& dirs);
  // Blocks up to timeoutMs. True when something in a watched directory
  // changed (always true after a polling watcher's sleep); false on timeout
  // or when a signal interrupted the wait.
  bool Wait(int timeoutMs);
  bool UsesInotify() const { return fd_ >= 0; }

  // What the waits since the last Forget saw in dir (one given to Watch).
  DirectoryChanges ChangesIn(const std::string& dir) const;
  // The changes seen so far have been looked at; the next ones are
  // gathered afresh.
  void Forget();

 private:
  explicit MaildirWatcher(int fd) : fd_(fd) {}
  void Drain();

  int fd_;
  std::set<std::string> watched_;
  std::map<int, std::string> byDescriptor_;
  // Watched since the last Forget: what happened before the watch began is
  // not known.
  std::set<std::string> newlyWatched_;
  std::map<std::string, std::set<std::string>> names_;
  bool lostTrack_ = false;  // the event queue overflowed, or a directory went
};

}  // namespace skerrow::maildir
