#include "cli/Command.h"

#include <cstdio>

namespace skerrow::cli {

int UsageError(const Command& command, const std::string& message) {
  std::fprintf(stderr, "skerrow %s: %s (see skerrow %s --help)\n", command.Name(), message.c_str(),
               command.Name());
  return kExitUsage;
}

int Failure(const std::string& message) {
  std::fprintf(stderr, "skerrow: %s\n", message.c_str());
  return kExitFailure;
}

}  // namespace skerrow::cli
