// Files named by Windows paths, mapped into a prefix (see Prefix.h). A path
// the prefix cannot map (relative, network, "..") names no file: appends and
// replacements fail, reads yield nothing.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/Prefix.h"

namespace skerrow {

class LinuxFileSystem : public FileSystem {
 public:
  explicit LinuxFileSystem(const Prefix& prefix) : prefix_(prefix) {}

  bool AppendText(std::string_view path, std::string_view text) override;
  std::optional<std::string> ReadAll(std::string_view path) override;
  std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view path) override;

 private:
  const Prefix& prefix_;
};

}  // namespace skerrow
