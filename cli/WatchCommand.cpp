#include "cli/WatchCommand.h"

#include <csignal>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/Session.h"
#include "cli/Text.h"

namespace skerrow::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
  stopRequested = 1;
}

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: the wait returns at once
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

constexpr int kWaitMs = 1000;

}  // namespace

const char* WatchCommand::Help() const {
  return "usage: skerrow watch\n"
         "\n"
         "Runs the add-in against the store until SIGINT or SIGTERM, then shuts down\n"
         "cleanly (the dictionary is saved). A message that appears in the Inbox is new\n"
         "mail; a change of a top-level folder's item count made by another program (a\n"
         "message dragged into or out of the Spam folder) raises the folder event. Prints a\n"
         "line for each new message, as deliver does: verdict, reason, score, the folder\n"
         "holding it afterwards, its subject then and its file.\n";
}

int WatchCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser parser({}, {});
  std::string error;
  if (!parser.Parse(args, error)) return UsageError(*this, error);
  if (!parser.Operands().empty()) return UsageError(*this, "takes no arguments");

  stopRequested = 0;
  InstallStopHandlers();
  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  std::fprintf(stderr, "skerrow: watching %s (Ctrl-C to stop)\n", where.store.c_str());
  while (!stopRequested) {
    session->store().Poll();
    // One line per message, as deliver prints it, once all its events are
    // handled: a journal then tells what became of each.
    for (const auto& classified : session->TakeVerdicts()) {
      std::string ignored;
      const MailItemPtr item = session->FindMessage(ToUtf8(classified.entryId), ignored);
      ResultLine line;
      if (item) line = DescribeMessage(*session, "", item, classified.verdict);
      line.verdict = classified.verdict;
      if (line.subject.empty()) line.subject = ToUtf8(classified.subject);
      line.file = line.path;
      std::printf("%s\n", FormatText(line).c_str());
    }
    std::fflush(stdout);
    if (!stopRequested) session->store().WaitForChanges(kWaitMs);
  }
  const int status = session->Close(kExitOk);
  std::fprintf(stderr, "skerrow: stopped\n");
  return status;
}

}  // namespace skerrow::cli
