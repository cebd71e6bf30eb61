// A replacement written into a temporary file beside its target (same
// folder, so that the final rename is atomic). Commit flushes it to disk,
// renames it over the target and flushes the folder; destroying it
// uncommitted removes the temporary file and leaves the target as it was.
// A new file is readable by its owner only; a replaced one keeps its mode.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/Platform.h"
#include "platform/linux/WriteFailures.h"

namespace skerrow {

class LinuxReplacementFile : public ReplacementFile {
 public:
  // Null when the temporary file cannot be created (missing folder, no
  // rights, no space) or the target is a folder or read-only (no write
  // permission bit), as Windows refuses to replace a read-only file. Each
  // failure, here or later, goes into *failures (when given) with the
  // system's reason.
  static std::unique_ptr<LinuxReplacementFile> Create(const std::filesystem::path& target,
                                                      WriteFailures* failures = nullptr);

  // Removes the temporary files that replacements in the folder left
  // behind when the process was killed. Only for a folder no other process
  // is writing replacements into (the prefix is locked).
  static void RemoveStale(const std::filesystem::path& folder);

  ~LinuxReplacementFile() override;
  LinuxReplacementFile(const LinuxReplacementFile&) = delete;
  LinuxReplacementFile& operator=(const LinuxReplacementFile&) = delete;

  bool Write(const void* data, std::size_t size) override;
  // False, leaving the target untouched, when any write failed or the bytes
  // could not be made durable or renamed. A writer commits at most once.
  bool Commit() override;

 private:
  LinuxReplacementFile(int fd, std::filesystem::path temporary, std::filesystem::path target,
                       WriteFailures* failures)
      : fd_(fd),
        temporary_(std::move(temporary)),
        target_(std::move(target)),
        failures_(failures) {}

  // Records the first failure of this replacement.
  void Fail(int error);

  int fd_;
  bool failed_ = false;
  bool done_ = false;
  std::filesystem::path temporary_;
  std::filesystem::path target_;
  WriteFailures* failures_;
};

}  // namespace skerrow
