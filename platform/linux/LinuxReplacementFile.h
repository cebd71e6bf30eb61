// A replacement written into a temporary file beside its target (same
// folder, so that the final rename is atomic). Commit flushes it to disk,
// renames it over the target and flushes the folder; destroying it
// uncommitted removes the temporary file and leaves the target as it was.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/Platform.h"

namespace skerrow {

class LinuxReplacementFile : public ReplacementFile {
 public:
  // Null when the temporary file cannot be created (missing folder, no rights).
  static std::unique_ptr<LinuxReplacementFile> Create(const std::filesystem::path& target);

  ~LinuxReplacementFile() override;
  LinuxReplacementFile(const LinuxReplacementFile&) = delete;
  LinuxReplacementFile& operator=(const LinuxReplacementFile&) = delete;

  bool Write(const void* data, std::size_t size) override;
  // False, leaving the target untouched, when any write failed or the bytes
  // could not be made durable or renamed. A writer commits at most once.
  bool Commit() override;

 private:
  LinuxReplacementFile(int fd, std::filesystem::path temporary, std::filesystem::path target)
      : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}

  int fd_;
  bool failed_ = false;
  bool done_ = false;
  std::filesystem::path temporary_;
  std::filesystem::path target_;
};

}  // namespace skerrow
