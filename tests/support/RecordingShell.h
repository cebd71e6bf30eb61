// A shell that records every call and answers what the test sets.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace skerrow {

struct ShellOpen {
  std::string verb;
  std::string file;
  int showCommand = 0;
};

struct ShellLookup {
  std::string file;
  std::string folder;
};

struct ShellStart {
  std::string commandLine;
  int showCommand = 0;
};

class RecordingShell : public Shell {
 public:
  std::vector<ShellOpen> opens;
  std::vector<ShellLookup> lookups;
  std::vector<ShellStart> starts;

  std::intptr_t openResult = 42;                 // above 32: success
  std::optional<std::string> associatedProgram;  // FindAssociatedProgram's answer
  bool startResult = true;

  std::intptr_t OpenWithShell(std::string_view verb, std::string_view file,
                              int showCommand) override {
    opens.push_back({std::string(verb), std::string(file), showCommand});
    return openResult;
  }
  std::optional<std::string> FindAssociatedProgram(std::string_view file,
                                                   std::string_view folder) override {
    lookups.push_back({std::string(file), std::string(folder)});
    return associatedProgram;
  }
  bool StartProcess(std::string_view commandLine, int showCommand) override {
    starts.push_back({std::string(commandLine), showCommand});
    return startResult;
  }
};

}  // namespace skerrow
