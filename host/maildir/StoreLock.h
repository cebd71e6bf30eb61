// Keeps a second instance off a store: an exclusive flock on the file
// ".skerrow.lock" in the store directory, held for the lock's lifetime. The
// kernel drops it when the process ends, however it ends.
#pragma once

#include <memory>
#include <string>

#include "base/Result.h"

namespace skerrow::maildir {

class StoreLock {
 public:
  static constexpr const char* kFileName = ".skerrow.lock";

  // Fails at once (never waits) with kSharingViolation when another holder
  // has the lock.
  static Result<std::unique_ptr<StoreLock>> Acquire(const std::string& storeDir);

  ~StoreLock();
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

 private:
  explicit StoreLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace skerrow::maildir
