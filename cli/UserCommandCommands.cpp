#include "cli/UserCommandCommands.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/Text.h"
#include "spamfolder/UserCommands.h"

namespace skerrow::cli {

namespace {

struct NamedMessages {
  std::vector<std::string> names;
  std::vector<DispatchPtr> items;
};

bool FindAll(Session& session, const std::vector<std::string>& names, NamedMessages& found,
             std::string& error) {
  for (const std::string& name : names) {
    MailItemPtr item = session.FindMessage(name, error);
    if (!item) return false;
    found.names.push_back(name);
    found.items.push_back(item);
  }
  return true;
}

void PrintWhereTheyAre(Session& session, const NamedMessages& messages) {
  for (std::size_t i = 0; i < messages.items.size(); ++i) {
    const ResultLine line = DescribeMessage(session, messages.names[i], messages.items[i], {});
    std::printf("%-14s  %s  (%s)\n", Printable(line.folder).c_str(),
                Printable(line.subject).c_str(), Printable(line.path).c_str());
  }
}

}  // namespace

int UserCommandCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser options({}, {});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(*this, error);
  if (takesMessages_ && options.Operands().empty()) return UsageError(*this, "no message given");
  if (!takesMessages_ && !options.Operands().empty()) {
    return UsageError(*this, "takes no arguments");
  }

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  NamedMessages messages;
  if (!FindAll(*session, options.Operands(), messages, error)) return Failure(error);
  session->Connect();
  if (!messages.items.empty()) {
    const Result<maildir::ItemLocation> first = session->store().Locate(messages.items.front());
    if (first.ok()) {
      const Result<FolderPtr> folder = session->store().FindFolder(first.value.topLevelFolder);
      if (folder.value) session->store().SetCurrentFolder(folder.value);
    }
    session->store().SetSelection(messages.items);
  }
  if (UserCommands* commands = session->addIn().commands()) (commands->*action_)();
  PrintWhereTheyAre(*session, messages);
  return session->Close(kExitOk);
}

const char* MoveCommand::Help() const {
  return "usage: skerrow move --to FOLDER MSG...\n"
         "\n"
         "Moves the messages into FOLDER (a top-level folder's name, or Parent/Child) the\n"
         "way a user's drag does: the folder events follow, so a message dragged into the\n"
         "Spam folder is learned as spam and marked, one dragged out is released. MSG is a\n"
         "message file's path in the store or its Maildir unique name.\n";
}

int MoveCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser options({}, {"--to"});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(*this, error);
  const std::vector<std::string> to = options.Values("--to");
  if (to.size() != 1) return UsageError(*this, "give the destination once with --to FOLDER");
  if (options.Operands().empty()) return UsageError(*this, "no message given");

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  const Result<FolderPtr> folder = session->store().FindFolder(FromUtf8(to.front()));
  if (!folder.value) return Failure("no folder " + to.front() + " in the store");
  NamedMessages messages;
  if (!FindAll(*session, options.Operands(), messages, error)) return Failure(error);
  session->Connect();
  int status = kExitOk;
  for (std::size_t i = 0; i < messages.items.size(); ++i) {
    MailItemPtr mail = messages.items[i]->AsMailItem();
    const Result<DispatchPtr> moved = mail ? mail->Move(folder.value) : Result<DispatchPtr>{};
    if (!moved.ok()) {
      std::fprintf(stderr, "skerrow: cannot move %s\n", messages.names[i].c_str());
      status = kExitFailure;
    } else if (moved.value) {
      messages.items[i] = moved.value;
    }
  }
  PrintWhereTheyAre(*session, messages);
  return session->Close(status);
}

}  // namespace skerrow::cli
