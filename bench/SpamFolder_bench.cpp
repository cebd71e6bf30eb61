// The Spam folder watcher on a large folder: one FolderChange of a Spam folder
// of 10,000 messages of which 100 are new (dragged in by the user, so each is
// marked read, relearned as spam through the real feature extraction and word
// statistics, and marked), in the in-memory store. Target: under 50 ms.
// A second case releases 100 marked messages dragged back into an Inbox of
// 10,000.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/FeatureExtractor.h"
#include "engine/NoHtmlAnalyzer.h"
#include "host/memory/MemoryStore.h"
#include "spamfolder/SpamFolderManager.h"
#include "spamfolder/StatisticsTrainer.h"
#include "stats/WordStatistics.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr int kFolderSize = 10000;
constexpr int kNewMessages = 100;

std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

NewMail Message(int number, const std::u16string& subjectPrefix) {
  const std::string n = std::to_string(number);
  return NewMail{
      .subject = subjectPrefix + Wide("Limited offer number " + n + " for valued customers"),
      .body = Wide("Dear customer, order " + n +
                   " of our premium watches and pills today and save up to 80 percent. "
                   "Visit http://offers.example.com/deal?id=" +
                   n + " before the offer ends. Unsubscribe at any time."),
      .sender = Wide("Offers Desk " + std::to_string(number % 37)),
      .to = u"me@example.com",
  };
}

// The watcher over its own store and statistics, rebuilt for every run so
// that each run meets new messages.
struct WatchedStore {
  explicit WatchedStore(TestPlatform& world)
      : extractor(world.env(), html),
        trainer(extractor, statistics),
        manager(world.env(), trainer) {}

  MemoryStore store;
  NoHtmlAnalyzer html;
  WordStatistics statistics;
  FeatureExtractor extractor;
  StatisticsTrainer trainer;
  SpamFolderManager manager;
};

void BM_TakeInNewMessagesOfALargeSpamFolder(benchmark::State& state) {
  TestPlatform world;
  world.options().bAddReportMarksToSubj = 1;
  for (auto _ : state) {
    state.PauseTiming();
    auto watched = std::make_unique<WatchedStore>(world);
    const FolderPtr junk = watched->store.AddFolder(u"Junk E-mail");
    for (int i = 0; i < kFolderSize - kNewMessages; ++i) {
      watched->store.AddMail(junk, Message(i, u"_<*5*>[SpamBody     ]"));
    }
    watched->manager.LocateSpamFolder(*watched->store.GetApplication(), nullptr);
    for (int i = 0; i < kNewMessages; ++i) watched->store.AddMail(junk, Message(i, u""));
    state.ResumeTiming();

    watched->manager.OnFolderChange(junk);

    state.PauseTiming();
    if (watched->statistics.SpamMessageCount() != kNewMessages) {
      state.SkipWithError("the new messages were not all taken in");
    }
    watched.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TakeInNewMessagesOfALargeSpamFolder)->Unit(benchmark::kMillisecond);

void BM_ReleaseMessagesDraggedBackIntoALargeInbox(benchmark::State& state) {
  TestPlatform world;
  for (auto _ : state) {
    state.PauseTiming();
    auto watched = std::make_unique<WatchedStore>(world);
    const FolderPtr inbox = watched->store.Inbox();
    for (int i = 0; i < kFolderSize - kNewMessages; ++i) {
      watched->store.AddMail(inbox, Message(i, u""));
    }
    watched->manager.LocateSpamFolder(*watched->store.GetApplication(), nullptr);
    for (int i = 0; i < kNewMessages; ++i) {
      watched->store.AddMail(inbox, Message(i, u"_<*5*>[MarkByUser   ]"));
    }
    state.ResumeTiming();

    watched->manager.OnFolderChange(inbox);

    state.PauseTiming();
    watched.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReleaseMessagesDraggedBackIntoALargeInbox)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skerrow
