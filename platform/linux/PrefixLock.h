// Keeps a second instance off a prefix: an exclusive flock on the file
// ".skerrow.lock" in the prefix folder, held for the lock's lifetime, so that
// two commands never both load the dictionary and both save it (the second
// save would drop what the first learned). The kernel drops the lock when
// the process ends, however it ends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace skerrow {

class PrefixLock {
 public:
  static constexpr const char* kFileName = ".skerrow.lock";

  // Never waits: null with a one-line reason when another instance holds
  // the prefix or the lock file cannot be opened.
  static std::unique_ptr<PrefixLock> Acquire(const std::filesystem::path& root, std::string& error);

  ~PrefixLock();
  PrefixLock(const PrefixLock&) = delete;
  PrefixLock& operator=(const PrefixLock&) = delete;

 private:
  explicit PrefixLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace skerrow
