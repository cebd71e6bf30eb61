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
  Learn(statistics, "HIGH_END", 6, 8);  // 0.6 / (0.6 + 0.4) = 0.6
  Learn(statistics, "B1", 5, 0);
  Learn(statistics, "B2", 6, 0);
  EXPECT_EQ(BayesProbability(statistics, {"HALF", "LOW_END", "B1", "B2"}, 3), 0.5);
  EXPECT_EQ(BayesProbability(statistics, {"HIGH_END", "B1", "B2"}, 3), 0.5);
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

TEST(BayesProbability, StaysANumberWhenBothProductsFallBelowTheSmallestDouble) {
  WordStatistics statistics = WithTotals(100, 100);
  WordSet words;
  // 600 words of 0.61 and 600 of 0.39: each product is 0.2379^600, about
  // 1e-374, which no double holds, so unscaled they would give 0 / 0.
  for (int i = 0; i < 1200; ++i) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "W" + string.
    std::string word = "W";
    word += std::to_string(i);
    if (i % 2 == 0) {
      Learn(statistics, word, 61, 39);
    } else {
      Learn(statistics, word, 39, 61);
    }
    words.insert(word);
  }
  EXPECT_NEAR(BayesProbability(statistics, words, 3), 0.5, 1e-9);
}

// Three words with the same counts under totals 10 and 20, scored as
// specified and with words seen in valid mail heard too.
struct HeardCase {
  const char* name;
  std::int32_t spam;
  std::int32_t valid;
  double asSpecified;
  double withValidWords;
};

class BayesValidWords : public ::testing::TestWithParam<HeardCase> {};

TEST_P(BayesValidWords, AreHeardOnlyWhenAskedFor) {
  const HeardCase& c = GetParam();
  WordStatistics statistics = WithTotals(10, 20);
  for (const char* word : {"W1", "W2", "W3"}) Learn(statistics, word, c.spam, c.valid);
  const WordSet words = {"W1", "W2", "W3"};
  EXPECT_NEAR(BayesProbability(statistics, words, 3), c.asSpecified, 5e-5) << c.name;
  EXPECT_NEAR(BayesProbability(statistics, words, 3, BayesWords::SeenInSpamOrValid),
              c.withValidWords, 5e-5)
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(Counts, BayesValidWords,
                         ::testing::Values(
                             // p = 1/6 each: (1/216) / (1/216 + 125/216).
                             HeardCase{"valid only", 0, 10, 0.5, 1.0 / 126.0},
                             HeardCase{"too few valid", 0, 4, 0.5, 0.5},
                             // p = 0.2 / (0.2 + 0.4) = 1/3 each: 1/9.
                             HeardCase{"rare in spam", 2, 8, 0.5, 1.0 / 9.0},
                             // p = 0.6 / (0.6 + 0.6) = 0.5: heard, but in the neutral band.
                             HeardCase{"even", 6, 12, 0.5, 0.5},
                             // Spam words are heard the same either way: p = 1/1.2 each.
                             HeardCase{"spam only", 5, 0, 125.0 / 126.0, 125.0 / 126.0}));

}  // namespace
}  // namespace skerrow
