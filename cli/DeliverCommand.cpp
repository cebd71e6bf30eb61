#include "cli/DeliverCommand.h"

#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/Progress.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::cli {

namespace {

// The header block alone (all of a message that has no end to its header),
// the rest of the memory given back.
void KeepHeadOnly(std::string& bytes) {
  const std::size_t head = maildir::MaildirFiles::HeadLength(bytes);
  if (head >= bytes.size()) return;
  bytes.resize(head);
  bytes.shrink_to_fit();
}

}  // namespace

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
  int status = kExitOk;
  // Every message is on disk, durably, before it is delivered; the lines are
  // printed once what the add-in did with them is durable too. Staged before
  // the add-in connects, so that the store waits for the disk while it does.
  const std::vector<Result<std::string>> staged = session->store().Stage(
      std::vector<std::string_view>(messages.bytes.begin(), messages.bytes.end()));
  // From here on the messages are read from their files: holding their
  // bodies too would double what a large message costs while it is judged.
  for (std::string& bytes : messages.bytes) KeepHeadOnly(bytes);
  session->Connect();
  std::vector<std::string> lines;
  Progress progress(messages.bytes.size());
  for (std::size_t i = 0; i < messages.bytes.size(); ++i) {
    progress.Step(i);
    const std::string& file = messages.names[i];
    const Result<MailItemPtr> delivered =
        staged[i].ok() ? session->store().DeliverStaged(staged[i].value, messages.bytes[i])
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
