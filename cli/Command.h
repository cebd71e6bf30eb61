// One subcommand of the `skerrow` command: its name, its help, and its run.
#pragma once

#include <string>
#include <vector>

namespace skerrow::cli {

// Exit statuses of the command line contract.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Where the command runs: the prefix folder and the Maildir store, as given
// on the command line or taken from the environment.
struct Locations {
  std::string home;
  std::string store;
};

class Command {
 public:
  virtual ~Command() = default;
  virtual const char* Name() const = 0;
  virtual const char* Summary() const = 0;  // one line for the command list
  virtual const char* Help() const = 0;     // the whole --help text
  // args: what follows the command's name. Returns the exit status.
  virtual int Run(const Locations& where, const std::vector<std::string>& args) = 0;
};

// A usage error: printed as one line with the command's name, exit status 2.
int UsageError(const Command& command, const std::string& message);
// Any other failure: one line naming what failed, exit status 1.
int Failure(const std::string& message);

}  // namespace skerrow::cli
