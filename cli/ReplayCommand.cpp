#include "cli/ReplayCommand.h"

#include <cstdio>
#include <filesystem>

#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/OptionAssignments.h"
#include "cli/Progress.h"
#include "cli/Replay.h"
#include "cli/ScratchFolder.h"
#include "cli/Text.h"
#include "options/FilterOptions.h"

namespace skerrow::cli {

namespace {

double Rate(std::size_t errors, std::size_t total) {
  return total == 0 ? 0.0 : static_cast<double>(errors) / static_cast<double>(total);
}

void PrintJson(const ReplayCounts& c) {
  const std::size_t total = c.ham + c.spam;
  std::string out =
      "{\"messages\":" + std::to_string(total) + ",\"ham\":" + std::to_string(c.ham) +
      ",\"spam\":" + std::to_string(c.spam) +
      ",\"falsePositives\":" + std::to_string(c.falsePositives) +
      ",\"falseNegatives\":" + std::to_string(c.falseNegatives) +
      ",\"unreadable\":" + std::to_string(c.unreadable) +
      ",\"falsePositiveRate\":" + JsonNumber(Rate(c.falsePositives, c.ham)) +
      ",\"falseNegativeRate\":" + JsonNumber(Rate(c.falseNegatives, c.spam)) +
      ",\"errorRate\":" + JsonNumber(Rate(c.falsePositives + c.falseNegatives, total)) +
      ",\"seconds\":" + JsonNumber(c.seconds) + ",\"messagesPerSecond\":" +
      JsonNumber(c.seconds > 0 ? static_cast<double>(total) / c.seconds : 0.0) +
      ",\"falsePositivesByReason\":{";
  bool first = true;
  for (const auto& [reason, count] : c.falsePositivesByReason) {
    out += (first ? "\"" : ",\"") + std::to_string(reason) + "\":" + std::to_string(count);
    first = false;
  }
  out += "},\"falseNegativesByVerdict\":{";
  first = true;
  for (const auto& [verdict, count] : c.falseNegativesByVerdict) {
    out += (first ? "" : ",") + JsonString(verdict) + ":" + std::to_string(count);
    first = false;
  }
  out += "},\"windowSize\":" + std::to_string(kReplayWindow) + ",\"errorsPerWindow\":[";
  for (const ReplayWindow& w : c.windows) {
    out += std::string(&w == &c.windows.front() ? "" : ",") +
           "{\"first\":" + std::to_string(w.first) +
           ",\"last\":" + std::to_string(w.first + w.messages - 1) +
           ",\"falsePositives\":" + std::to_string(w.falsePositives) +
           ",\"falseNegatives\":" + std::to_string(w.falseNegatives) + "}";
  }
  std::printf("%s]}\n", out.c_str());
}

void PrintText(const ReplayCounts& c) {
  const std::size_t total = c.ham + c.spam;
  std::printf("messages        %zu (%zu valid, %zu spam)\n", total, c.ham, c.spam);
  std::printf("false positives %zu (%.2f%% of valid mail)\n", c.falsePositives,
              100.0 * Rate(c.falsePositives, c.ham));
  std::printf("false negatives %zu (%.2f%% of spam)\n", c.falseNegatives,
              100.0 * Rate(c.falseNegatives, c.spam));
  std::printf("error rate      %.2f%%\n", 100.0 * Rate(c.falsePositives + c.falseNegatives, total));
  if (c.unreadable) std::printf("unreadable      %zu\n", c.unreadable);
  for (const auto& [reason, count] : c.falsePositivesByReason) {
    std::printf("  valid mail taken as spam for reason %2d: %zu\n", reason, count);
  }
  for (const auto& [verdict, count] : c.falseNegativesByVerdict) {
    std::printf("  spam judged %s: %zu\n", verdict.c_str(), count);
  }
  std::printf("errors per %zu messages (valid mail taken as spam / spam missed):\n", kReplayWindow);
  for (const ReplayWindow& w : c.windows) {
    std::printf("  %5zu-%-5zu  %4zu / %zu\n", w.first, w.first + w.messages - 1, w.falsePositives,
                w.falseNegatives);
  }
  std::printf("time            %.2f s, %.1f messages per second\n", c.seconds,
              c.seconds > 0 ? static_cast<double>(total) / c.seconds : 0.0);
}

}  // namespace

const char* ReplayCommand::Help() const {
  return "usage: skerrow replay --ham DIR --spam DIR [--option KEY=VALUE]... [--json]\n"
         "\n"
         "Evaluates the filter on a labelled corpus (one message per file) in a scratch\n"
         "prefix and store, starting from nothing learned: delivers the messages one by one\n"
         "in a fixed interleaved order, corrects each mistake the way an attentive user\n"
         "would (Mark for missed spam, To Inbox or Unmark for valid mail taken as spam), and\n"
         "prints the counts, the error rates, the errors per reason and per 200 messages\n"
         "and the messages per second. --option sets a stored option of the scratch prefix\n"
         "before the start, as 'skerrow options' would (for example --option\n"
         "bBayesUseValidWords=1 to compare the Bayes stages). --home and --store are not\n"
         "used.\n";
}

int ReplayCommand::Run(const Locations&, const std::vector<std::string>& args) {
  OptionParser options({"--json"}, {"--ham", "--spam", "--option"});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(*this, error);
  const auto ham = options.Values("--ham");
  const auto spam = options.Values("--spam");
  if (ham.size() != 1 || spam.size() != 1)
    return UsageError(*this, "give --ham DIR and --spam DIR");
  if (!options.Operands().empty()) return UsageError(*this, "unexpected " + options.Operands()[0]);
  OptionAssignments assignments;
  if (!ParseOptionAssignments(options.Values("--option"), assignments, error)) {
    return UsageError(*this, error);
  }

  const std::vector<std::string> hamFiles = FilesIn(ham.front(), error);
  if (!error.empty()) return Failure(error);
  const std::vector<std::string> spamFiles = FilesIn(spam.front(), error);
  if (!error.empty()) return Failure(error);

  ScratchFolder scratch("replay");
  if (!scratch.ok()) return Failure("cannot create a scratch folder");
  const Locations place{(scratch.path() / "home").string(), (scratch.path() / "store").string()};
  std::error_code code;
  std::filesystem::create_directories(place.store, code);
  auto session = Session::Open(place, error, /*scratch=*/true);
  if (!session) return Failure(error);
  for (auto& [key, value] : assignments) {
    if (key == "sSpamBoxName") value = Utf8ToAnsi(value, session->platform().codePage);
  }
  if (!assignments.empty() &&
      !session->platform().profile.WriteStrings(TheFilterOptions().ProfileSection, assignments)) {
    return Failure("cannot set the options of the scratch prefix");
  }
  session->Connect();

  const auto stream = InterleaveCorpus(hamFiles, spamFiles);
  Progress progress(stream.size());
  const ReplayCounts counts =
      Replay(*session, stream, [&](std::size_t done) { progress.Step(done); });
  progress.Clear();
  session->Disconnect();
  if (options.Has("--json")) {
    PrintJson(counts);
  } else {
    PrintText(counts);
  }
  return kExitOk;
}

}  // namespace skerrow::cli
