#include "cli/Commands.h"

#include "cli/ClassifyCommand.h"
#include "cli/DeliverCommand.h"
#include "cli/DemoCommand.h"
#include "cli/ReplayCommand.h"
#include "cli/SettingsCommands.h"
#include "cli/StatsCommand.h"
#include "cli/UserCommandCommands.h"
#include "cli/WatchCommand.h"
#include "spamfolder/UserCommands.h"

namespace skerrow::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<DeliverCommand>());
  commands.push_back(std::make_unique<ClassifyCommand>());
  commands.push_back(std::make_unique<MoveCommand>());
  commands.push_back(std::make_unique<UserCommandCommand>(
      "to-spam", "move the marked messages of the Inbox to the Spam folder",
      "usage: skerrow to-spam\n\n"
      "The To Spam command: moves every Inbox message whose subject carries the Inbox\n"
      "marker to the Spam folder.\n",
      &UserCommands::MoveMarkedToSpam, false));
  commands.push_back(std::make_unique<UserCommandCommand>(
      "to-inbox", "unmark messages of the Spam folder and move them to the Inbox",
      "usage: skerrow to-inbox MSG...\n\n"
      "The To Inbox command with MSG as the selection and the folder holding them as\n"
      "the current folder: refused unless that is the Spam folder.\n",
      &UserCommands::MoveSelectionToInbox, true));
  commands.push_back(std::make_unique<UserCommandCommand>(
      "mark", "learn messages as spam and mark them",
      "usage: skerrow mark MSG...\n\n"
      "The Mark command with MSG as the selection: each message without a marker is\n"
      "learned as spam and marked (and moved when bSpamAutoMove is on).\n",
      &UserCommands::MarkSelection, true));
  commands.push_back(std::make_unique<UserCommandCommand>(
      "unmark", "unmark messages and unlearn them as spam",
      "usage: skerrow unmark MSG...\n\n"
      "The Unmark command with MSG as the selection: each message with the Inbox marker\n"
      "loses its marks and is unlearned as spam.\n",
      &UserCommands::UnmarkSelection, true));
  commands.push_back(std::make_unique<WatchCommand>());
  commands.push_back(std::make_unique<OptionsCommand>());
  commands.push_back(std::make_unique<ValidTextsCommand>());
  commands.push_back(std::make_unique<StatsCommand>());
  commands.push_back(std::make_unique<ReplayCommand>());
  commands.push_back(std::make_unique<DemoCommand>());
  return commands;
}

}  // namespace skerrow::cli
