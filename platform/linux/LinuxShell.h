// The shell on Linux. Opening a file hands its host path to a desktop opener
// program (xdg-open unless told otherwise) found on PATH; without one there is
// no association. Programs start through /bin/sh in the background, so that
// nothing waits for them and no child is left unreaped.
#pragma once

#include <string>

#include "platform/Platform.h"
#include "platform/linux/Prefix.h"

namespace skerrow {

class LinuxShell : public Shell {
 public:
  // ShellExecute's results the add-in may see.
  static constexpr std::intptr_t kStarted = 42;
  static constexpr std::intptr_t kFileNotFound = 2;
  static constexpr std::intptr_t kNoAssociation = 31;

  explicit LinuxShell(const Prefix& prefix, std::string opener = "xdg-open")
      : prefix_(prefix), opener_(std::move(opener)) {}

  // Verbs other than "open" (or none) have no association here.
  std::intptr_t OpenWithShell(std::string_view verb, std::string_view file,
                              int showCommand) override;
  // No program registry on Linux: always empty.
  std::optional<std::string> FindAssociatedProgram(std::string_view file,
                                                   std::string_view folder) override;
  // Runs the command line with /bin/sh -c; false when the shell could not
  // start.
  bool StartProcess(std::string_view commandLine, int showCommand) override;

 private:
  const Prefix& prefix_;
  std::string opener_;
};

}  // namespace skerrow
