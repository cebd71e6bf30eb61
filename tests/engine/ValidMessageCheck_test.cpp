#include "engine/ValidMessageCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/AddressBook.h"
#include "stats/WordStatistics.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class ValidMessageCheckTest : public testing::Test {
 protected:
  ValidMessageCheckTest() {
    world_.options().bValidSubjectTxt = 1;
    world_.options().bValidBodyTxt = 1;
    statistics_.SetValidTexts({"invoice"});
  }

  bool IsValid(std::string sender, std::string subject, std::string body) {
    MessageFeatures features;
    features.senderName = std::move(sender);
    features.subject = std::move(subject);
    features.bodyText = std::move(body);
    return ValidMessageCheck(world_.env(), statistics_, book_).isValidMessage(features);
  }

  TestPlatform world_;
  WordStatistics statistics_;
  AddressBook book_;
};

TEST_F(ValidMessageCheckTest, KnowsLearnedValidSendersByTheirFirstFiftyBytes) {
  statistics_.ValidSenders().Increment(std::string(50, 'a') + "-one");
  EXPECT_TRUE(IsValid(std::string(50, 'a') + "-two", "", ""));
  EXPECT_FALSE(IsValid(std::string(50, 'A'), "", ""));
}

TEST_F(ValidMessageCheckTest, FindsAValidTextAnywhereInTheSubjectIgnoringCase) {
  EXPECT_TRUE(IsValid("", "Your INVOICE for May", ""));
  EXPECT_TRUE(IsValid("", "Invoices", ""));
  EXPECT_FALSE(IsValid("", "Your bill", ""));
}

// The upper-cased valid texts are kept between messages: they must follow
// every change of the list.
TEST_F(ValidMessageCheckTest, SeesTheValidTextsAsTheyAreAtEachMessage) {
  const ValidMessageCheck check(world_.env(), statistics_, book_);
  MessageFeatures features;
  features.subject = "Your receipt";
  EXPECT_FALSE(check.isValidMessage(features));
  statistics_.AddValidText("Receipt");
  EXPECT_TRUE(check.isValidMessage(features));
  statistics_.RemoveValidTexts({"Receipt"});
  EXPECT_FALSE(check.isValidMessage(features));
  statistics_.SetValidTexts({"YOUR"});
  EXPECT_TRUE(check.isValidMessage(features));
}

TEST_F(ValidMessageCheckTest, IgnoresTheSubjectWhenItsOptionIsOff) {
  world_.options().bValidSubjectTxt = 0;
  EXPECT_FALSE(IsValid("", "Your INVOICE", ""));
  EXPECT_TRUE(IsValid("", "Your INVOICE", "the invoice is attached"));
}

TEST_F(ValidMessageCheckTest, IgnoresTheBodyWhenItsOptionIsOff) {
  world_.options().bValidBodyTxt = 0;
  EXPECT_FALSE(IsValid("", "Hello", "the invoice is attached"));
}

TEST_F(ValidMessageCheckTest, UpperCasesTheValidTextItselfToo) {
  statistics_.SetValidTexts({"caf\xE9 menu"});
  EXPECT_TRUE(IsValid("", "CAF\xC9 MENU today", ""));
}

TEST_F(ValidMessageCheckTest, LetsAnEmptyValidTextMatchEverySubject) {
  statistics_.SetValidTexts({""});
  EXPECT_TRUE(IsValid("", "Anything at all", ""));
  EXPECT_FALSE(IsValid("", "", ""));
}

TEST_F(ValidMessageCheckTest, FindsNothingInEmptyTexts) {
  statistics_.ValidSenders().Increment("");
  EXPECT_FALSE(IsValid("", "", ""));
}

}  // namespace
}  // namespace skerrow
