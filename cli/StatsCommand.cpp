#include "cli/StatsCommand.h"

#include <algorithm>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/Session.h"
#include "cli/Text.h"
#include "platform/Platform.h"
#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"

namespace skerrow::cli {

namespace {

constexpr std::size_t kStrongest = 10;

struct WordCounts {
  std::string word;  // UTF-8
  int spam;
  int valid;
};

// The words seen most often in one kind of mail, the other count breaking ties.
std::vector<WordCounts> Strongest(std::vector<WordCounts> words, bool spam) {
  const auto key = [spam](const WordCounts& w) {
    return spam ? std::make_pair(w.spam, -w.valid) : std::make_pair(w.valid, -w.spam);
  };
  const std::size_t n = std::min(kStrongest, words.size());
  std::partial_sort(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(n), words.end(),
                    [&](const WordCounts& a, const WordCounts& b) {
                      return key(a) != key(b) ? key(a) > key(b) : a.word < b.word;
                    });
  words.resize(n);
  return words;
}

std::string JsonWords(const std::vector<WordCounts>& words) {
  std::string out = "[";
  for (const WordCounts& w : words) {
    if (out.size() > 1) out += ",";
    out += "{\"word\":" + JsonString(w.word) + ",\"spam\":" + std::to_string(w.spam) +
           ",\"valid\":" + std::to_string(w.valid) + "}";
  }
  return out + "]";
}

}  // namespace

const char* StatsCommand::Help() const {
  return "usage: skerrow stats [--json]\n"
         "\n"
         "Shows what the filter has learned: the message totals, the number of words, the\n"
         "size of each learned list and of the valid-text list, and the words seen most\n"
         "often in spam and in valid mail.\n";
}

int StatsCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  OptionParser parser({"--json"}, {});
  std::string error;
  if (!parser.Parse(args, error)) return UsageError(*this, error);
  if (!parser.Operands().empty()) return UsageError(*this, "unexpected " + parser.Operands()[0]);

  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  session->Connect();
  const WordStatistics& stats = session->addIn().statistics();
  std::vector<WordCounts> words;
  words.reserve(stats.Words().size());
  for (const auto& [word, packed] : stats.Words()) {
    words.push_back({AnsiToUtf8(word, session->platform().codePage), SpamCountOf(packed),
                     ValidCountOf(packed)});
  }
  const auto spamWords = Strongest(words, true);
  const auto validWords = Strongest(words, false);
  const struct {
    const char* name;
    std::size_t size;
  } lists[] = {
      {"validSenders", stats.ValidSenders().size()}, {"spamSenders", stats.SpamSenders().size()},
      {"spamSubjects", stats.SpamSubjects().size()}, {"spamBodies", stats.SpamBodies().size()},
      {"spamLinks", stats.SpamLinks().size()},       {"validTexts", stats.ValidTexts().size()}};

  if (parser.Has("--json")) {
    std::string out = "{\"spamMessages\":" + std::to_string(stats.SpamMessageCount()) +
                      ",\"validMessages\":" + std::to_string(stats.ValidMessageCount()) +
                      ",\"words\":" + std::to_string(stats.Words().size());
    for (const auto& list : lists)
      out += ",\"" + std::string(list.name) + "\":" + std::to_string(list.size);
    out += ",\"strongestSpamWords\":" + JsonWords(spamWords) +
           ",\"strongestValidWords\":" + JsonWords(validWords) + "}";
    std::printf("%s\n", out.c_str());
  } else {
    std::printf("messages learned: %d spam, %d valid\n", stats.SpamMessageCount(),
                stats.ValidMessageCount());
    std::printf("words: %zu\n", stats.Words().size());
    for (const auto& list : lists) std::printf("%-13s %zu\n", list.name, list.size);
    const auto print = [](const char* title, const std::vector<WordCounts>& list) {
      std::printf("%s\n", title);
      for (const WordCounts& w : list) {
        std::printf("  %-30s spam %5d  valid %5d\n", Printable(w.word).c_str(), w.spam, w.valid);
      }
    };
    print("words seen most in spam:", spamWords);
    print("words seen most in valid mail:", validWords);
  }
  return session->Close(kExitOk);
}

}  // namespace skerrow::cli
