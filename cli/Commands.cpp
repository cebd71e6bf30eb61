#include "cli/Commands.h"

namespace skerrow::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  return commands;
}

}  // namespace skerrow::cli
