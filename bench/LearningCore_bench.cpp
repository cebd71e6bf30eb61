// Speed of the learning core: scoring, training, feature extraction, the
// dictionary file and pruning, on tables of the sizes the filter keeps.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "bench/FullStatistics.h"
#include "engine/FeatureExtractor.h"
#include "engine/NoHtmlAnalyzer.h"
#include "host/memory/MemoryStore.h"
#include "stats/BayesProbability.h"
#include "stats/PackedCounts.h"
#include "stats/Pruning.h"
#include "stats/Training.h"
#include "stats/WordStatistics.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

void BM_BayesProbability120WordsFullTable(benchmark::State& state) {
  const WordStatistics statistics = FullStatistics();
  std::mt19937 random(11);
  WordSet words;
  for (const auto& [word, counts] : statistics.Words()) {
    if (words.size() == 100) break;
    if (random() % 4 == 0) words.insert(word);
  }
  while (words.size() < 120) words.insert("UNKNOWN" + std::to_string(words.size()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(BayesProbability(statistics, words, 3));
  }
}
BENCHMARK(BM_BayesProbability120WordsFullTable)->Unit(benchmark::kMicrosecond);

MessageFeatures TypicalMessage() {
  std::mt19937 random(13);
  MessageFeatures features;
  features.senderName = "Special Offers Team";
  features.subject = "Your exclusive discount expires tonight";
  features.bodyText = "Dear customer, we are happy to offer you an exclusive discount";
  features.links = {"WWW.OFFERS.EXAMPLE/DEAL", "WWW.OFFERS.EXAMPLE/UNSUBSCRIBE"};
  for (int i = 0; i < 80; ++i) features.words.insert(Word(random));
  features.words.insert({"RC_N_1", "HOURS_13", "SZ_3000", "IMPO_1"});
  return features;
}

void BM_LearnSpamTypicalMessage(benchmark::State& state) {
  WordStatistics statistics = FullStatistics();
  const MessageFeatures message = TypicalMessage();
  for (auto _ : state) LearnSpam(statistics, message);
}
BENCHMARK(BM_LearnSpamTypicalMessage)->Unit(benchmark::kMicrosecond);

void BM_ExtractFeatures10KbPlainText(benchmark::State& state) {
  TestPlatform world;
  MemoryStore store;
  NoHtmlAnalyzer html;
  std::mt19937 random(17);
  std::u16string body;
  while (body.size() < 10 * 1024) {
    const std::string word = Word(random);
    body.append(word.begin(), word.end());
    body += random() % 12 == 0 ? u".\r\n" : u" ";
  }
  MailItemPtr item =
      store.AddMail(store.Inbox(), {.subject = u"Minutes of the Tuesday meeting",
                                    .body = body,
                                    .sender = u"Ann Example",
                                    .to = u"Team; Bob Sample",
                                    .recipients = {u"team@example.com", u"bob@example.com"},
                                    .attachments = {u"minutes.pdf"}});
  FeatureExtractor extractor(world.env(), html);
  for (auto _ : state) {
    MessageFeatures features;
    extractor.extractFeatures(*item, features);
    benchmark::DoNotOptimize(features.words.size());
  }
}
BENCHMARK(BM_ExtractFeatures10KbPlainText)->Unit(benchmark::kMicrosecond);

constexpr std::string_view kFolder = "C:\\Dict";

void BM_SaveFullDictionary(benchmark::State& state) {
  TestPlatform world;
  MemoryFileSystem files;
  WordStatistics statistics = FullStatistics();
  statistics.LoadDictionary(files, world.codePage(), world.ui(), kFolder);
  for (auto _ : state) statistics.SaveDictionary(files, world.ui());
  state.counters["bytes"] = static_cast<double>(files.files.begin()->second.size());
}
BENCHMARK(BM_SaveFullDictionary)->Unit(benchmark::kMillisecond);

void BM_LoadFullDictionary(benchmark::State& state) {
  TestPlatform world;
  MemoryFileSystem files;
  WordStatistics saved = FullStatistics();
  saved.LoadDictionary(files, world.codePage(), world.ui(), kFolder);
  saved.SaveDictionary(files, world.ui());
  for (auto _ : state) {
    WordStatistics statistics;
    statistics.LoadDictionary(files, world.codePage(), world.ui(), kFolder);
    benchmark::DoNotOptimize(statistics.Words().size());
  }
}
BENCHMARK(BM_LoadFullDictionary)->Unit(benchmark::kMillisecond);

// The same through the Linux file system, replacement file and all.
void BM_SaveFullDictionaryToDisk(benchmark::State& state) {
  TestPlatform world;
  world.WriteFile(world.options().InstallFolder + "\\placeholder", "");
  WordStatistics statistics = FullStatistics();
  statistics.LoadDictionary(world.platform(), world.options());
  for (auto _ : state) statistics.SaveDictionary(world.platform());
}
BENCHMARK(BM_SaveFullDictionaryToDisk)->Unit(benchmark::kMillisecond);

void RunPruneWords(benchmark::State& state, const WordTable& original) {
  for (auto _ : state) {
    state.PauseTiming();
    WordTable table = original;
    state.ResumeTiming();
    PruneWords(table);
    benchmark::DoNotOptimize(table.size());
  }
}

void BM_PruneWordsTwiceTheWordLimit(benchmark::State& state) {
  std::mt19937 random(19);
  RunPruneWords(state, FullTable(2 * WordStatistics::WordLimit, random));
}
BENCHMARK(BM_PruneWordsTwiceTheWordLimit)->Unit(benchmark::kMillisecond);

void BM_PruneWords65536WordsWithHighCounts(benchmark::State& state) {
  std::mt19937 random(23);
  WordTable table;
  while (table.size() < 65536) {
    table[Word(random) + std::to_string(table.size())] =
        PackCounts(32768 + static_cast<std::int32_t>(random() % 32768),
                   32768 + static_cast<std::int32_t>(random() % 32768));
  }
  RunPruneWords(state, table);
}
BENCHMARK(BM_PruneWords65536WordsWithHighCounts)->Unit(benchmark::kMillisecond);

void BM_PruneWords65536WordsNoneRemovable(benchmark::State& state) {
  WordTable table;
  for (int i = 0; i < 65536; ++i) table["W" + std::to_string(i)] = PackCounts(65535, 65535);
  RunPruneWords(state, table);
}
BENCHMARK(BM_PruneWords65536WordsNoneRemovable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skerrow
