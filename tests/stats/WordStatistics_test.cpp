#include "stats/WordStatistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/PackedCounts.h"

namespace skerrow {
namespace {

struct CountChange {
  const char* name;
  WordCountMode mode;
  std::int32_t spamBefore;
  std::int32_t validBefore;
  std::int32_t spamAfter;
  std::int32_t validAfter;
};

class UpdateWordCountsOnAKnownWord : public testing::TestWithParam<CountChange> {};

TEST_P(UpdateWordCountsOnAKnownWord, ChangesItsCountsAsTheModeSays) {
  const CountChange& change = GetParam();
  WordStatistics statistics;
  statistics.Words()["WORD"] = PackCounts(change.spamBefore, change.validBefore);

  statistics.UpdateWordCounts({"WORD"}, change.mode);

  const std::int32_t packed = statistics.Words().at("WORD");
  EXPECT_EQ(SpamCountOf(packed), change.spamAfter);
  EXPECT_EQ(ValidCountOf(packed), change.validAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, UpdateWordCountsOnAKnownWord,
    testing::Values(
        CountChange{"AsSpamCountsUp", WordCountMode::AsSpam, 3, 4, 4, 4},
        CountChange{"AsValidCountsUp", WordCountMode::AsValid, 3, 4, 3, 5},
        CountChange{"SpamToValidMovesOne", WordCountMode::SpamToValid, 3, 4, 2, 5},
        CountChange{"SpamToValidNeverGoesBelowZero", WordCountMode::SpamToValid, 0, 4, 0, 5},
        CountChange{"ValidToSpamMovesOne", WordCountMode::ValidToSpam, 3, 4, 4, 3},
        CountChange{"ValidToSpamNeverGoesBelowZero", WordCountMode::ValidToSpam, 3, 0, 4, 0},
        CountChange{"SpamPastTheLimitHalvesBoth", WordCountMode::AsSpam, 65535, 9, 32768, 4},
        CountChange{"ValidPastTheLimitHalvesBoth", WordCountMode::AsValid, 7, 65535, 3, 32768},
        CountChange{"SpamAboveHalfTheRangeStaysPositive", WordCountMode::AsSpam, 40000, 1, 40001,
                    1}),
    [](const testing::TestParamInfo<CountChange>& info) { return info.param.name; });

TEST(UpdateWordCounts, EntersNewWordsWithTheModesFirstCounts) {
  const std::pair<WordCountMode, std::int32_t> cases[] = {
      {WordCountMode::AsSpam, 65536},
      {WordCountMode::AsValid, 1},
      {WordCountMode::SpamToValid, 0},
      {WordCountMode::ValidToSpam, 0},
  };
  for (const auto& [mode, expected] : cases) {
    WordStatistics statistics;
    statistics.UpdateWordCounts({"NEW"}, mode);
    EXPECT_EQ(statistics.LookupWord("NEW"), expected) << static_cast<int>(mode);
  }
}

TEST(UpdateWordCounts, HalvesOnlyTheWordThatOverflowed) {
  WordStatistics statistics;
  statistics.Words()["FULL"] = PackCounts(65535, 10);
  statistics.Words()["OTHER"] = PackCounts(100, 10);

  statistics.UpdateWordCounts({"FULL", "OTHER"}, WordCountMode::AsSpam);

  EXPECT_EQ(statistics.Words().at("FULL"), PackCounts(32768, 5));
  EXPECT_EQ(statistics.Words().at("OTHER"), PackCounts(101, 10));
}

TEST(UpdateWordCounts, KeepsWordsExactlyAsGiven) {
  WordStatistics statistics;
  statistics.UpdateWordCounts({"Word", "WORD"}, WordCountMode::AsSpam);
  EXPECT_EQ(statistics.Words().size(), 2u);
  EXPECT_FALSE(statistics.LookupWord("word"));
}

TEST(ValidTexts, EnumerateCapitalsBeforeSmallLettersAndEachTextOnce) {
  WordStatistics statistics;
  statistics.SetValidTexts({"invoice", "Invoice", "invoice", "\xE9t\xE9", "Zebra"});
  const std::vector<std::string> expected = {"Invoice", "Zebra", "invoice", "\xE9t\xE9"};
  EXPECT_EQ(
      std::vector<std::string>(statistics.ValidTexts().begin(), statistics.ValidTexts().end()),
      expected);
}

TEST(ValidTexts, SetReplacesTheWholeList) {
  WordStatistics statistics;
  statistics.SetValidTexts({"a", "b"});
  statistics.SetValidTexts({"c"});
  EXPECT_EQ(statistics.ValidTexts(), (std::set<std::string>{"c"}));
}

TEST(ValidTexts, RemoveTakesOutPresentTextsAndIgnoresOthers) {
  WordStatistics statistics;
  statistics.SetValidTexts({"a", "b", "c"});
  statistics.RemoveValidTexts({"b", "x", "C"});
  EXPECT_EQ(statistics.ValidTexts(), (std::set<std::string>{"a", "c"}));
}

TEST(DangerousExtensions, AreTheSixInTheirFixedOrder) {
  const std::vector<std::string> expected = {".COM", ".EXE", ".BAT", ".SCR", ".PIF", ".CPL"};
  EXPECT_EQ(WordStatistics().DangerousExtensions(), expected);
}

TEST(LearnedLists, HaveTheirKeyLengthsAndLimits) {
  const WordStatistics statistics;
  EXPECT_EQ(statistics.SpamSubjects().KeyLength(), 20u);
  EXPECT_EQ(statistics.SpamBodies().KeyLength(), 30u);
  EXPECT_EQ(statistics.SpamSenders().KeyLength(), 50u);
  EXPECT_EQ(statistics.SpamLinks().KeyLength(), 50u);
  EXPECT_EQ(statistics.ValidSenders().KeyLength(), 50u);
  EXPECT_EQ(statistics.SpamSenders().EntryLimit(), 1024u);
  EXPECT_EQ(statistics.SpamSubjects().EntryLimit(), 2048u);
}

}  // namespace
}  // namespace skerrow
