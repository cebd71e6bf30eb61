#include "stats/BayesProbability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"

namespace skerrow {
namespace {

WordStatistics WithTotals(std::int32_t spam, std::int32_t valid) {
  WordStatistics statistics;
  statistics.SetSpamMessageCount(spam);
  statistics.SetValidMessageCount(valid);
  return statistics;
}

void Learn(WordStatistics& statistics, const std::string& word, std::int32_t spam,
           std::int32_t valid) {
  statistics.Words()[word] = PackCounts(spam, valid);
}

// Counts (8, 2), (5, 0), (5, 16) and (3, 0) under totals 10 and 20.
WordStatistics Example(std::int32_t validTotal) {
  WordStatistics statistics = WithTotals(10, validTotal);
  Learn(statistics, "A", 8, 2);
  Learn(statistics, "B", 5, 0);
  Learn(statistics, "C", 5, 16);
  Learn(statistics, "D", 3, 0);
  return statistics;
}

const WordSet kExampleWords = {"A", "B", "C", "D", "NEVER_LEARNED"};

TEST(BayesProbability, CombinesEveryDecisiveWord) {
  // 0.8889, 0.8333 and 0.3846; the word seen in 3 spam messages is ignored.
  EXPECT_NEAR(BayesProbability(Example(20), kExampleWords, 3), 0.9615, 5e-5);
}

TEST(BayesProbability, IsNeutralUntilMoreThanFiveValidMessagesWereLearned) {
  EXPECT_EQ(BayesProbability(Example(5), kExampleWords, 3), 0.5);
  EXPECT_GT(BayesProbability(Example(6), kExampleWords, 3), 0.5);
}

TEST(BayesProbability, IsNeutralWithFewerDecisiveWordsThanAsked) {
  WordStatistics statistics = WithTotals(10, 20);
  Learn(statistics, "A", 10, 0);
  Learn(statistics, "B", 10, 0);
  EXPECT_EQ(BayesProbability(statistics, {"A", "B"}, 3), 0.5);
  EXPECT_GT(BayesProbability(statistics, {"A", "B"}, 2), 0.5);
}

TEST(BayesProbability, IgnoresWordsInsideTheNeutralBandIncludingItsEnds) {
  WordStatistics statistics = WithTotals(10, 20);
  Learn(statistics, "HALF", 6, 12);     // 0.6 / (0.6 + 0.6) = 0.5
  Learn(statistics, "LOW_END", 8, 24);  // 0.8 / (0.8 + 1.2) = 0.4
  Learn(statistics, "B1", 5, 0);
  Learn(statistics, "B2", 6, 0);
  EXPECT_EQ(BayesProbability(statistics, {"HALF", "LOW_END", "B1", "B2"}, 3), 0.5);
}

TEST(BayesProbability, IsNeutralForNoWordsOrOnlyUnknownOnes) {
  const WordStatistics statistics = Example(20);
  EXPECT_EQ(BayesProbability(statistics, {}, 3), 0.5);
  EXPECT_EQ(BayesProbability(statistics, {"X", "Y", "Z"}, 3), 0.5);
}

TEST(BayesProbability, FindsNoDecisiveWordWhileNoSpamWasLearned) {
  WordStatistics statistics = Example(20);
  statistics.SetSpamMessageCount(0);
  EXPECT_EQ(BayesProbability(statistics, kExampleWords, 1), 0.5);
}

TEST(BayesProbability, ScoresWordsSeenInMoreThanHalfTheSpamRangeLikeAnyOther) {
  WordStatistics statistics = WithTotals(60000, 100);
  Learn(statistics, "A", 40000, 0);
  Learn(statistics, "B", 40000, 0);
  Learn(statistics, "C", 40000, 0);
  EXPECT_GT(BayesProbability(statistics, {"A", "B", "C"}, 3), 0.99);
}

TEST(BayesProbability, StaysANumberWithHundredsOfDecisiveWords) {
  WordStatistics statistics = WithTotals(10, 10);
  WordSet words;
  for (int i = 0; i < 900; ++i) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "W" + string.
    std::string word = "W";
    word += std::to_string(i);
    // Alternately 0.61 and 0.39 (spam 61 and 39 out of 100 per total).
    if (i % 2 == 0) {
      Learn(statistics, word, 61 * 10 / 100 + 5, 3);
    } else {
      Learn(statistics, word, 5, 8);
    }
    words.insert(word);
  }
  const double p = BayesProbability(statistics, words, 3);
  EXPECT_FALSE(std::isnan(p));
  EXPECT_GE(p, 0.0);
  EXPECT_LE(p, 1.0);
}

}  // namespace
}  // namespace skerrow
