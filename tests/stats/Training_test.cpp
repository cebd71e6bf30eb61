#include "stats/Training.h"

#include <gtest/gtest.h>

#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"

namespace skerrow {
namespace {

MessageFeatures Message() {
  MessageFeatures features;
  features.senderName = "Mallory";
  features.subject = "Cheap watches for you today";
  features.bodyText = "Dear friend, cheap watches here for everyone";
  features.links = {"WWW.A.EXAMPLE", "WWW.B.EXAMPLE"};
  features.words = {"CHEAP", "WATCHES"};
  return features;
}

std::int32_t Spam(const WordStatistics& statistics, const std::string& word) {
  return SpamCountOf(statistics.Words().at(word));
}

std::int32_t Valid(const WordStatistics& statistics, const std::string& word) {
  return ValidCountOf(statistics.Words().at(word));
}

TEST(LearnSpam, MovesAValidSenderToTheSpamSendersAndCountsEverything) {
  WordStatistics statistics;
  const MessageFeatures message = Message();
  statistics.ValidSenders().Increment("Mallory");

  LearnSpam(statistics, message);

  EXPECT_FALSE(statistics.ValidSenders().IsListed("Mallory"));
  EXPECT_EQ(statistics.SpamSenders().entries().at("Mallory"), 2);
  EXPECT_TRUE(statistics.SpamSubjects().IsListed(message.subject));
  EXPECT_TRUE(statistics.SpamBodies().IsListed(message.bodyText));
  EXPECT_TRUE(statistics.SpamLinks().IsListed("WWW.A.EXAMPLE"));
  EXPECT_TRUE(statistics.SpamLinks().IsListed("WWW.B.EXAMPLE"));
  EXPECT_EQ(statistics.SpamMessageCount(), 1);
  EXPECT_EQ(statistics.ValidMessageCount(), 0);
  EXPECT_EQ(Spam(statistics, "CHEAP"), 1);
}

TEST(LearnValid, TwiceGivesValidCountTwoAndSenderCountThree) {
  WordStatistics statistics;
  const MessageFeatures message = Message();
  LearnValid(statistics, message);
  LearnValid(statistics, message);
  EXPECT_EQ(Valid(statistics, "CHEAP"), 2);
  EXPECT_EQ(statistics.ValidSenders().entries().at("Mallory"), 3);
  EXPECT_EQ(statistics.ValidMessageCount(), 2);
  EXPECT_TRUE(statistics.SpamSubjects().entries().empty());
}

TEST(LearnValid, CountsAnEmptySenderNameLikeAnyOther) {
  WordStatistics statistics;
  MessageFeatures message = Message();
  message.senderName.clear();
  LearnValid(statistics, message);
  EXPECT_TRUE(statistics.ValidSenders().IsListed(""));
}

TEST(UnlearnSpam, UndoesALessonAndRemovesTheTextsAltogether) {
  WordStatistics statistics;
  const MessageFeatures message = Message();
  LearnSpam(statistics, message);
  LearnSpam(statistics, message);

  UnlearnSpam(statistics, message);

  EXPECT_FALSE(statistics.SpamSenders().IsListed("Mallory"));
  EXPECT_TRUE(statistics.ValidSenders().IsListed("Mallory"));
  EXPECT_TRUE(statistics.SpamSubjects().entries().empty());
  EXPECT_TRUE(statistics.SpamBodies().entries().empty());
  EXPECT_TRUE(statistics.SpamLinks().entries().empty());
  EXPECT_EQ(statistics.SpamMessageCount(), 1);
  EXPECT_EQ(statistics.ValidMessageCount(), 1);
  EXPECT_EQ(Spam(statistics, "CHEAP"), 1);
  EXPECT_EQ(Valid(statistics, "CHEAP"), 1);
}

TEST(UnlearnSpam, NeverLowersTheSpamTotalBelowOne) {
  for (const std::int32_t before : {0, 1}) {
    WordStatistics statistics;
    statistics.SetSpamMessageCount(before);
    statistics.SetValidMessageCount(4);
    UnlearnSpam(statistics, Message());
    EXPECT_EQ(statistics.SpamMessageCount(), 1) << before;
    EXPECT_EQ(statistics.ValidMessageCount(), 5) << before;
  }
}

TEST(UnlearnSpam, EntersANeverLearnedWordWithBothCountsZero) {
  WordStatistics statistics;
  UnlearnSpam(statistics, Message());
  EXPECT_EQ(statistics.Words().at("CHEAP"), 0);
}

TEST(RelearnSpam, MovesAValidLessonToSpamWithoutEmptyingTheValidTotal) {
  WordStatistics statistics;
  const MessageFeatures message = Message();
  LearnValid(statistics, message);

  RelearnSpam(statistics, message);

  EXPECT_EQ(statistics.ValidMessageCount(), 1);
  EXPECT_EQ(statistics.SpamMessageCount(), 1);
  EXPECT_FALSE(statistics.ValidSenders().IsListed("Mallory"));
  EXPECT_EQ(statistics.SpamSenders().entries().at("Mallory"), 2);
  EXPECT_EQ(statistics.SpamLinks().size(), 2u);
  EXPECT_EQ(Spam(statistics, "CHEAP"), 1);
  EXPECT_EQ(Valid(statistics, "CHEAP"), 0);
}

TEST(Training, NeverOverflowsATotalReadFromADamagedFile) {
  WordStatistics statistics;
  statistics.SetSpamMessageCount(std::numeric_limits<std::int32_t>::max());
  statistics.SetValidMessageCount(std::numeric_limits<std::int32_t>::min());
  LearnSpam(statistics, Message());
  RelearnSpam(statistics, Message());
  EXPECT_EQ(statistics.SpamMessageCount(), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(statistics.ValidMessageCount(), 1);
}

}  // namespace
}  // namespace skerrow
