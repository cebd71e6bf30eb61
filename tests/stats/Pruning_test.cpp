#include "stats/Pruning.h"

#include <gtest/gtest.h>

#include <list>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "stats/PackedCounts.h"

namespace skerrow {
namespace {

using Entry = std::pair<std::string, std::int32_t>;

std::vector<Entry> InTableOrder(const WordTable& table) {
  return std::vector<Entry>(table.begin(), table.end());
}

std::set<std::string> KeysOf(const WordTable& table) {
  std::set<std::string> keys;
  for (const auto& entry : table) keys.insert(entry.first);
  return keys;
}

// The pruning run word for word as the product has always described it: for
// every k below the count limit two passes over the whole table, in table
// order (erasing keeps the order of the others), each ending at the end or
// after as many visits as the table then holds.
std::set<std::string> LiteralPruneWords(const std::vector<Entry>& table, std::int64_t wordLimit) {
  std::list<Entry> entries(table.begin(), table.end());
  auto keys = [&] {
    std::set<std::string> kept;
    for (const Entry& entry : entries) kept.insert(entry.first);
    return kept;
  };
  const std::int64_t excess = static_cast<std::int64_t>(entries.size()) - wordLimit;
  if (excess <= 0) return keys();
  std::int64_t quota = excess + wordLimit / 10;
  for (std::int64_t k = 1; k < WordStatistics::CountLimit; ++k) {
    for (int pass = 0; pass < 2; ++pass) {
      std::size_t visited = 0;
      for (auto entry = entries.begin(); entry != entries.end() && visited < entries.size();) {
        ++visited;
        const std::int32_t spam = SpamCountOf(entry->second);
        const std::int32_t valid = ValidCountOf(entry->second);
        if (pass == 0 ? spam <= k : valid == k) {
          entry = entries.erase(entry);
          --quota;
        } else {
          ++entry;
        }
        if (quota < 0) return keys();
      }
    }
  }
  return keys();
}

struct CountRange {
  std::int32_t low;
  std::int32_t high;
};

WordTable RandomTable(std::mt19937& random, std::size_t size, CountRange spam, CountRange valid) {
  WordTable table;
  std::uniform_int_distribution<std::int32_t> spamCounts(spam.low, spam.high);
  std::uniform_int_distribution<std::int32_t> validCounts(valid.low, valid.high);
  for (std::size_t i = 0; table.size() < size; ++i) {
    table["W" + std::to_string(random()) + "_" + std::to_string(i)] =
        PackCounts(spamCounts(random), validCounts(random));
  }
  return table;
}

struct TableShape {
  const char* name;
  CountRange spam;
  CountRange valid;
  int rounds = 60;  // the literal run is slow when it must walk every k
};

class PruneWordsOnRandomTables : public testing::TestWithParam<TableShape> {};

TEST_P(PruneWordsOnRandomTables, RemovesExactlyWhatTheLiteralRunRemoves) {
  const TableShape& shape = GetParam();
  std::mt19937 random(20240611);
  for (int round = 0; round < shape.rounds; ++round) {
    const std::int32_t wordLimit = 20 + round * 3;
    const std::size_t size = static_cast<std::size_t>(wordLimit) + 1 + random() % (wordLimit * 2);
    WordTable table = RandomTable(random, size, shape.spam, shape.valid);
    const std::set<std::string> expected = LiteralPruneWords(InTableOrder(table), wordLimit);

    PruneWords(table, wordLimit);

    ASSERT_EQ(KeysOf(table), expected) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PruneWordsOnRandomTables,
    testing::Values(TableShape{"SmallCounts", {0, 6}, {0, 6}},
                    TableShape{"MostlyUnseenInSpam", {0, 1}, {0, 40}},
                    TableShape{"SpamCountsFarApart", {0, 5000}, {0, 3}},
                    TableShape{"HighSpamCountsAndSpreadValidCounts", {900, 1000}, {0, 1200}},
                    TableShape{"ValidCountsDecide", {3000, 3001}, {0, 200}},
                    TableShape{"SomeWordsNeverRemovable", {65533, 65535}, {65530, 65535}, 4}),
    [](const testing::TestParamInfo<TableShape>& info) { return info.param.name; });

TEST(PruneWords, LeavesATableOfExactlyTheWordLimitAlone) {
  std::mt19937 random(1);
  WordTable table = RandomTable(random, WordStatistics::WordLimit, {0, 0}, {0, 0});
  PruneWords(table);
  EXPECT_EQ(table.size(), static_cast<std::size_t>(WordStatistics::WordLimit));
}

TEST(PruneWords, RemovesTheQuotaPlusOneFromATableOneWordOverTheLimit) {
  std::mt19937 random(2);
  WordTable table = RandomTable(random, WordStatistics::WordLimit + 1, {0, 3}, {0, 3});
  const std::set<std::string> expected =
      LiteralPruneWords(InTableOrder(table), WordStatistics::WordLimit);

  PruneWords(table);

  EXPECT_EQ(table.size(), WordStatistics::WordLimit + 1u - 1640u);
  EXPECT_EQ(KeysOf(table), expected);
}

TEST(PruneWords, KeepsEveryWordWhoseCountsNoPassCanReach) {
  WordTable table;
  for (int i = 0; i < 300; ++i) table["W" + std::to_string(i)] = PackCounts(65535, 65535);
  PruneWords(table, 100);
  EXPECT_EQ(table.size(), 300u);
}

TEST(PruneList, LeavesAListOfExactlyItsLimitAlone) {
  LearnedList list(50, 1024);
  for (int i = 0; i < 1024; ++i) list.entries()["S" + std::to_string(i)] = 2;
  PruneList(list);
  EXPECT_EQ(list.size(), 1024u);
  EXPECT_EQ(list.entries().at("S7"), 2);
}

TEST(PruneList, RemovesATenthOfTheLimitPlusTwoFromAListOneOver) {
  LearnedList list(20, 2048);
  for (int i = 0; i < 2049; ++i) list.entries()["S" + std::to_string(i)] = 2;
  PruneList(list);
  EXPECT_EQ(list.size(), 2049u - (1u + 204u + 1u));
}

TEST(PruneList, AgesTheTextsItVisitsWithoutRemoving) {
  LearnedList list(20, 4);
  for (int i = 0; i < 5; ++i) list.entries()["Frequent" + std::to_string(i)] = 50;
  list.entries()["Rare"] = 1;
  // Over the limit by 2, so the quota is 2: the run removes Rare at k = 1
  // and goes on, lowering the others, until two more are gone.
  PruneList(list);

  EXPECT_EQ(list.size(), 3u);
  EXPECT_FALSE(list.entries().contains("Rare"));
  for (const auto& [text, count] : list.entries()) EXPECT_LT(count, 50) << text;
}

}  // namespace
}  // namespace skerrow
