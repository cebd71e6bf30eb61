#include "cli/DeliverCommand.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/Progress.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::cli {

const char* DeliverCommand::Help() const {
  return "usage: skerrow deliver [--json] FILE...\n"
         "\n"
         "Adds each message to the Inbox, raw bytes kept, and lets the add-in process it as\n"
         "new mail, one message at a time in the order given. '-' reads one message from\n"
         "standard input. Prints one line per message: verdict, reason, score, the folder\n"
         "holding it afterwards, its subject then. --json prints JSON objects instead.\n"
         "Messages over 64 MiB, folders and unreadable files are refused before anything\n"
         "changes.\n";
}

int DeliverCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  MessageFiles messages;
  if (const int status = ReadMessageFiles(*this, args, messages); status != kExitOk) return status;
  const bool json = messages.json;

  std::string error;
  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  int status = kExitOk;
  Progress progress(messages.bytes.size());
  for (std::size_t i = 0; i < messages.bytes.size(); ++i) {
    progress.Step(i);
    const std::string& file = messages.names[i];
    const Result<MailItemPtr> delivered = session->store().Deliver(messages.bytes[i]);
    const auto verdicts = session->TakeVerdicts();
    progress.Clear();
    if (!delivered.ok() || !delivered.value) {
      std::fprintf(stderr, "skerrow: cannot deliver %s into the store: %s\n", file.c_str(),
                   maildir::DescribeStatus(delivered.status).c_str());
      status = kExitFailure;
      continue;
    }
    const SpamVerdict verdict = verdicts.empty() ? SpamVerdict{} : verdicts.back().verdict;
    const ResultLine line = DescribeMessage(*session, file, delivered.value, verdict);
    std::printf("%s\n", (json ? FormatJson(line) : FormatText(line)).c_str());
  }
  progress.Clear();
  return session->Close(status);
}

}  // namespace skerrow::cli
