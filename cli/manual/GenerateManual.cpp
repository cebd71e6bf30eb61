// skerrow_manual OUTPUT: writes the manual page skerrow(1) from the help
// texts of the command, at build time.
#include <cstdio>
#include <fstream>

#include "cli/Commands.h"
#include "cli/ManualPage.h"
#include "cli/Usage.h"

int main(int argc, char** argv) {
  using namespace skerrow::cli;
  if (argc != 2) {
    std::fprintf(stderr, "usage: skerrow_manual OUTPUT\n");
    return kExitUsage;
  }
  std::vector<ManualCommand> commands;
  for (const auto& command : AllCommands()) {
    commands.push_back({command->Name(), command->Summary(), command->Help()});
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << ManualPage(UsageHead(), commands, ReferenceSections());
  out.close();
  if (!out) {
    std::fprintf(stderr, "skerrow_manual: cannot write %s\n", argv[1]);
    return kExitFailure;
  }
  return kExitOk;
}
