// A replacement written into a temporary file beside its target (same folder,
// so that swapping it in moves no bytes). Commit flushes it to disk and swaps
// it in: over an existing file with ReplaceFileW, which keeps the old file's
// attributes, security and creation time; where there is no old file with
// MoveFileExW, replacing and writing through. Destroying an uncommitted
// writer, or a failed commit, removes the temporary file and leaves the target
// as it was. A read-only target (the attribute of the user's choice) is never
// replaced.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace skerrow {

class Win32ReplacementFile : public ReplacementFile {
 public:
  // Null when the target is a folder or read-only, or the temporary file
  // cannot be created (missing folder, no rights).
  static std::unique_ptr<Win32ReplacementFile> Create(const std::wstring& target);

  ~Win32ReplacementFile() override;
  Win32ReplacementFile(const Win32ReplacementFile&) = delete;
  Win32ReplacementFile& operator=(const Win32ReplacementFile&) = delete;

  bool Write(const void* data, std::size_t size) override;
  // False, leaving the target as it was, when any write failed or the bytes
  // could not be flushed or swapped in (the target held open by someone who
  // does not share it, for one). A writer commits at most once.
  bool Commit() override;

 private:
  Win32ReplacementFile(HANDLE file, std::wstring temporary, std::wstring target)
      : file_(file), temporary_(std::move(temporary)), target_(std::move(target)) {}

  bool SwapIn() const;

  HANDLE file_;
  bool failed_ = false;
  bool done_ = false;
  std::wstring temporary_;
  std::wstring target_;
};

}  // namespace skerrow
