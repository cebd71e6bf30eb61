#include "cli/DeliverCommand.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"

namespace skerrow::cli {

const char* DeliverCommand::Help() const {
  return "usage: skerrow deliver [--json] FILE...\n"
         "\n"
         "Adds each message to the Inbox, raw bytes kept, and lets the add-in process it as\n"
         "new mail, one message at a time in the order given. '-' reads one message from\n"
         "standard input. Prints one line per message: verdict, reason, score, the folder\n"
         "holding it afterwards, its subject then. --json prints JSON objects instead.\n";
}

int DeliverCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser options({"--json"}, {});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(*this, error);
  if (options.Operands().empty()) return UsageError(*this, "no message file given");
  const bool json = options.Has("--json");

  // Every message is read before the store is touched: a missing or
  // unreadable file changes nothing.
  std::vector<std::string> messages;
  for (const std::string& file : options.Operands()) {
    if (!ReadMessageFile(file, messages.emplace_back(), error)) return Failure(error);
  }

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  int status = kExitOk;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const std::string& file = options.Operands()[i];
    const Result<MailItemPtr> delivered = session->store().Deliver(messages[i]);
    const auto verdicts = session->TakeVerdicts();
    if (!delivered.ok() || !delivered.value) {
      std::fprintf(stderr, "skerrow: cannot deliver %s into the store\n", file.c_str());
      status = kExitFailure;
      continue;
    }
    const SpamVerdict verdict = verdicts.empty() ? SpamVerdict{} : verdicts.back().verdict;
    const ResultLine line = DescribeMessage(*session, file, delivered.value, verdict);
    std::printf("%s\n", (json ? FormatJson(line) : FormatText(line)).c_str());
  }
  session->Disconnect();
  return status;
}

}  // namespace skerrow::cli
