// The table of the command's subcommands, in the order --help lists them.
#pragma once

#include <memory>
#include <vector>

#include "cli/Command.h"

namespace skerrow::cli {

std::vector<std::unique_ptr<Command>> AllCommands();

}  // namespace skerrow::cli
