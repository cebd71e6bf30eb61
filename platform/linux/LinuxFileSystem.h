// Files named by Windows paths, mapped into a prefix (see Prefix.h). A path
// the prefix cannot map (relative, network, "..") names no file: appends,
// renames and replacements fail, reads yield nothing. New files are readable
// by their owner only.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/Prefix.h"
#include "platform/linux/WriteFailures.h"

namespace skerrow {

class LinuxFileSystem : public FileSystem {
 public:
  // Failed replacements and renames go into *failures, when given.
  explicit LinuxFileSystem(const Prefix& prefix, WriteFailures* failures = nullptr)
      : prefix_(prefix), failures_(failures) {}

  bool AppendText(std::string_view path, std::string_view text) override;
  std::optional<std::string> ReadAll(std::string_view path) override;
  bool Exists(std::string_view path) override;
  std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view path) override;
  bool RenameFile(std::string_view from, std::string_view to) override;

 private:
  const Prefix& prefix_;
  WriteFailures* failures_;
};

}  // namespace skerrow
