// skerrow: runs the add-in against a Maildir store, the way the mail client
// runs it against its default store.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/Usage.h"

int main(int argc, char** argv) {
  using namespace skerrow::cli;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::vector<std::unique_ptr<Command>> commands = AllCommands();

  std::string error;
  const auto line = ParseCommandLine(arguments, error);
  if (!line) {
    std::fprintf(stderr, "skerrow: %s\n", error.c_str());
    return kExitUsage;
  }
  if (line->command.empty()) {
    PrintUsage(line->help ? stdout : stderr, commands);
    return line->help ? kExitOk : kExitUsage;
  }
  for (const auto& command : commands) {
    if (line->command != command->Name()) continue;
    for (const std::string& arg : line->args) {
      if (arg == "--") break;
      if (arg == "--help" || arg == "-h") {
        std::fputs(command->Help(), stdout);
        return kExitOk;
      }
    }
    return command->Run(line->where, line->args);
  }
  std::fprintf(stderr, "skerrow: unknown command '%s' (see skerrow --help)\n",
               line->command.c_str());
  return kExitUsage;
}
