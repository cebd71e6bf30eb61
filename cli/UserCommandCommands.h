// The user commands of the toolbar, run against the store: to-spam, to-inbox,
// mark and unmark. Those that act on a selection take the messages named on
// the command line as the selection, and the folder holding the first as the
// current folder. Each prints where every named message is afterwards.
#pragma once

#include "cli/Command.h"

namespace skerrow {
class UserCommands;
}

namespace skerrow::cli {

class UserCommandCommand : public Command {
 public:
  using Action = void (UserCommands::*)();

  UserCommandCommand(const char* name, const char* summary, const char* help, Action action,
                     bool takesMessages)
      : name_(name),
        summary_(summary),
        help_(help),
        action_(action),
        takesMessages_(takesMessages) {}

  const char* Name() const override { return name_; }
  const char* Summary() const override { return summary_; }
  const char* Help() const override { return help_; }
  int Run(const Locations& where, const std::vector<std::string>& args) override;

 private:
  const char* name_;
  const char* summary_;
  const char* help_;
  Action action_;
  bool takesMessages_;
};

class MoveCommand : public Command {
 public:
  const char* Name() const override { return "move"; }
  const char* Summary() const override { return "move messages to a folder as a user's drag does"; }
  const char* Help() const override;
  int Run(const Locations& where, const std::vector<std::string>& args) override;
};

}  // namespace skerrow::cli
