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
  // Every message is on disk, durably, before it is delivered; the lines are
  // printed once what the add-in did with them is durable too.
  const std::vector<std::string_view> bytes(messages.bytes.begin(), messages.bytes.end());
  const std::vector<Result<std::string>> staged = session->store().Stage(bytes);
  std::vector<std::string> lines;
  Progress progress(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    progress.Step(i);
    const std::string& file = messages.names[i];
    const Result<MailItemPtr> delivered =
        staged[i].ok() ? session->store().DeliverStaged(staged[i].value, bytes[i])
                       : Fail<MailItemPtr>(staged[i].status);
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
    lines.push_back(json ? FormatJson(line) : FormatText(line));
  }
  progress.Clear();
  if (hr::Failed(session->store().EndDeliveries())) {
    std::fprintf(stderr, "skerrow: cannot make the delivered messages durable in the store\n");
    status = kExitFailure;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return session->Close(status);
}

}  // namespace skerrow::cli
