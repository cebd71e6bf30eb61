#include "stats/LearnedList.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace skerrow {
namespace {

TEST(LearnedList, StartsANewTextAtTwoAndCountsUpByOne) {
  LearnedList list(20, 2048);
  list.Increment("Cheap watches");
  EXPECT_EQ(list.entries().at("Cheap watches"), 2);
  list.Increment("Cheap watches");
  EXPECT_EQ(list.entries().at("Cheap watches"), 3);
}

TEST(LearnedList, CutsEveryTextToItsKeyLength) {
  LearnedList list(20, 2048);
  const std::string subject = "Buy cheap watches now, today";  // 28 bytes
  list.Increment(subject);

  EXPECT_EQ(list.size(), 1u);
  EXPECT_TRUE(list.entries().contains(subject.substr(0, 20)));
  EXPECT_TRUE(list.IsListed("Buy cheap watches noXXXXXXXX"));
  EXPECT_FALSE(list.IsListed("Buy cheap watches n"));

  list.Remove("Buy cheap watches no and something else");
  EXPECT_EQ(list.size(), 0u);
}

TEST(LearnedList, ComparesKeysExactly) {
  LearnedList list(50, 1024);
  list.Increment("Alice");
  EXPECT_TRUE(list.IsListed("Alice"));
  EXPECT_FALSE(list.IsListed("ALICE"));
  EXPECT_FALSE(list.IsListed("Alice "));
}

TEST(LearnedList, TreatsTheEmptyTextAsAKeyLikeAnyOther) {
  LearnedList list(50, 1024);
  EXPECT_FALSE(list.IsListed(""));
  list.Increment("");
  EXPECT_TRUE(list.IsListed(""));
}

TEST(LearnedList, IgnoresRemovalOfAnAbsentText) {
  LearnedList list(30, 2048);
  list.Increment("kept");
  list.Remove("absent");
  EXPECT_TRUE(list.IsListed("kept"));
}

TEST(LearnedList, DoesNotOverflowACountAtTheTopOfTheRange) {
  LearnedList list(30, 2048);
  list.entries()["x"] = std::numeric_limits<std::int32_t>::max();
  list.Increment("x");
  EXPECT_EQ(list.entries().at("x"), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace skerrow
