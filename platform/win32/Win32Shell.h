// The shell of Windows: opening a file with its verb, the program registered
// for a file, starting a program.
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class Win32Shell : public Shell {
 public:
  // ShellExecuteA without an owner or parameters, in an empty working
  // folder; an empty verb is the file's default verb.
  std::intptr_t OpenWithShell(std::string_view verb, std::string_view file,
                              int showCommand) override;
  // FindExecutableA; empty when nothing is registered or the file does not
  // exist. An empty folder is the current one.
  std::optional<std::string> FindAssociatedProgram(std::string_view file,
                                                   std::string_view folder) override;
  // CreateProcessA with the command line alone, shown as showCommand; the
  // program runs on by itself. False for an empty command line or one
  // holding a NUL.
  bool StartProcess(std::string_view commandLine, int showCommand) override;
};

}  // namespace skerrow
