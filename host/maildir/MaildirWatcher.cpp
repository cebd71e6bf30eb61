#include "host/maildir/MaildirWatcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace skerrow::maildir {

namespace {

constexpr std::uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                  IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

std::unique_ptr<MaildirWatcher> MaildirWatcher::Create() {
  const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  return std::unique_ptr<MaildirWatcher>(new MaildirWatcher(fd));
}

MaildirWatcher::~MaildirWatcher() {
  if (fd_ >= 0) close(fd_);
}

void MaildirWatcher::Watch(const std::vector<std::string>& dirs) {
  if (fd_ < 0) return;
  for (const std::string& dir : dirs) {
    if (watched_.count(dir) != 0) continue;
    // A directory that cannot be watched (gone, no rights) is tried again
    // next time; the folder polling still sees its changes.
    const int descriptor = inotify_add_watch(fd_, dir.c_str(), kEvents);
    if (descriptor < 0) continue;
    watched_.insert(dir);
    byDescriptor_[descriptor] = dir;
    newlyWatched_.insert(dir);
  }
}

DirectoryChanges MaildirWatcher::ChangesIn(const std::string& dir) const {
  if (fd_ < 0 || lostTrack_ || watched_.count(dir) == 0 || newlyWatched_.count(dir) != 0) {
    return {};
  }
  const auto names = names_.find(dir);
  return {false, names != names_.end() ? names->second : std::set<std::string>()};
}

void MaildirWatcher::Forget() {
  newlyWatched_.clear();
  names_.clear();
  lostTrack_ = false;
}

bool MaildirWatcher::Wait(int timeoutMs) {
  if (fd_ < 0) {
    timespec pause{timeoutMs / 1000, static_cast<long>(timeoutMs % 1000) * 1000000L};
    return nanosleep(&pause, nullptr) == 0;
  }
  pollfd entry{fd_, POLLIN, 0};
  const int ready = poll(&entry, 1, timeoutMs);
  if (ready <= 0) return false;  // timeout, or a signal (EINTR)
  Drain();
  return true;
}

void MaildirWatcher::Drain() {
  alignas(inotify_event) char buffer[16384];
  while (true) {
    const ssize_t got = read(fd_, buffer, sizeof buffer);
    if (got <= 0) break;
    for (ssize_t offset = 0; offset < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      // A directory removed or moved away takes its watch with it: every
      // path is watched anew, so that a directory made later under the same
      // name is watched too (and listed whole once).
      if ((event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) != 0) watched_.clear();
      if ((event->mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) != 0) {
        lostTrack_ = true;
      } else if (event->len > 0) {
        const auto dir = byDescriptor_.find(event->wd);
        if (dir != byDescriptor_.end()) {
          names_[dir->second].insert(event->name);
        } else {
          lostTrack_ = true;
        }
      }
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace skerrow::maildir
