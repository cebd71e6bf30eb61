// Parsing of the command line: the global options, the command's name and
// what follows it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace skerrow::cli {

struct CommandLine {
  Locations where;
  std::string command;  // empty: none given
  std::vector<std::string> args;
  bool help = false;  // --help before the command
};

// Fills the locations from the options, else SKERROW_HOME / SKERROW_STORE,
// else ~/.local/share/skerrow and ~/Maildir. Sets error on a malformed line.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& argv,
                                            std::string& error);

// Options of a subcommand: flags, repeated valued options and operands, in
// the usual forms (--name VALUE, --name=VALUE; "--" ends the options).
class OptionParser {
 public:
  OptionParser(std::vector<std::string> flags, std::vector<std::string> valued)
      : flags_(std::move(flags)), valued_(std::move(valued)) {}

  // False with error set on an unknown option or a missing value.
  bool Parse(const std::vector<std::string>& args, std::string& error);

  bool Has(const std::string& flag) const;
  std::vector<std::string> Values(const std::string& option) const;
  const std::vector<std::string>& Operands() const { return operands_; }

 private:
  std::vector<std::string> flags_;
  std::vector<std::string> valued_;
  std::vector<std::pair<std::string, std::string>> given_;
  std::vector<std::string> operands_;
};

}  // namespace skerrow::cli
