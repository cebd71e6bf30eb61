#include "engine/ContentRules.h"

#include <gtest/gtest.h>

#include <string>

#include "host/memory/MemoryStore.h"
#include "stats/WordStatistics.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

TEST(HasContent, NeedsALetterOrAnotherByteFromA) {
  const std::pair<std::string, bool> cases[] = {
      {"", false},    {"123 ... 456", false}, {"!?#$%&*()+-/:;<=>@", false},
      {"A", true},    {"12 a", true},         {"[", true},
      {"\x80", true}, {"   \xE9", true},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(HasContent(text), expected) << text;
}

struct ChineseCase {
  const char* name;
  std::string text;
  bool fires;
};

class ChineseSymbolPattern : public testing::TestWithParam<ChineseCase> {};

TEST_P(ChineseSymbolPattern, FiresOnlyForTheFullPattern) {
  EXPECT_EQ(HasChineseSymbolPattern(GetParam().text), GetParam().fires);
}

// A letter between bars and a bar-letter-bar run, then a sign.
const std::string kAlternating =
    "xa\xA6"
    "b\xA6"
    "c+yz";
// A letter between bars and a sign at positions 2 and 5; the doubled bar
// that completes the pattern follows at 6 + the filler's length.
const std::string kBetweenThenSign =
    "xa\xA6"
    "bc+";

INSTANTIATE_TEST_SUITE_P(
    Texts, ChineseSymbolPattern,
    testing::Values(
        ChineseCase{"LetterBarLetterBarLetterWithAPlus", kAlternating, true},
        ChineseCase{"MinusCountsAsTheSign",
                    "xa\xA6"
                    "b\xA6"
                    "c-yz",
                    true},
        ChineseCase{"NoSign",
                    "xa\xA6"
                    "b\xA6"
                    "cdyz",
                    false},
        ChineseCase{"SingleBarBetweenLettersOnly",
                    "xa\xA6"
                    "bc+yz",
                    false},
        ChineseCase{"DoubledBarAfterALetterBetweenLetters",
                    "xa\xA6"
                    "b  a\xA6\xA6+ yz",
                    true},
        // Each of these completes the pattern only at one edge of
        // the scan: position 0, the last examined position
        // (n - 3), the first position past it.
        ChineseCase{"PatternNeedsPositionZero",
                    "\xA6\xA6 +a\xA6"
                    "bcd",
                    false},
        ChineseCase{"PatternCompletedAtTheLastExaminedPosition",
                    "xa\xA6"
                    "b+\xA6\xA6z",
                    true},
        ChineseCase{"PatternNeedsThePositionAfterTheLastExamined",
                    "x\xA6\xA6+a\xA6"
                    "b",
                    false},
        ChineseCase{"PatternOnlyInTheLastTwoBytes", "ab+c\xA6\xA6", false},
        ChineseCase{"EmptyText", "", false}, ChineseCase{"OneByte", "\xA6", false},
        ChineseCase{"TwoBytes", "a\xA6", false},
        ChineseCase{"ThreeBytes",
                    "a\xA6"
                    "b",
                    false},
        ChineseCase{"PatternBeyondTheFirst1024WordCharacters",
                    std::string(1100, 'a') + kAlternating, false},
        // The budget: positions up to 1023 are examined, 1024 is not.
        ChineseCase{"PatternCompletedAtPosition1023",
                    kBetweenThenSign + std::string(1017, 'a') + "\xA6\xA6zzz", true},
        ChineseCase{"PatternCompletedAtPosition1024",
                    kBetweenThenSign + std::string(1018, 'a') + "\xA6\xA6zzz", false},
        ChineseCase{"ASeparatorLetsPosition1024In",
                    kBetweenThenSign + " " + std::string(1017, 'a') + "\xA6\xA6zzz", true},
        ChineseCase{"SeparatorsWidenTheScan", std::string(1100, ' ') + kAlternating, true}),
    [](const testing::TestParamInfo<ChineseCase>& info) { return info.param.name; });

class ContentRulesTest : public testing::Test {
 protected:
  explicit ContentRulesTest(unsigned codePage = 1252) : world_(codePage) {
    world_.options().bErrorLog = 1;
  }

  SpamReason IllegalLanguage(NewMail mail) {
    MailItemPtr item = store_.AddMail(store_.Inbox(), std::move(mail));
    return ContentRules(world_.env(), statistics_).testIllegalLanguage(*item);
  }

  bool Logged(int place) const {
    const std::optional<std::string> log = world_.ReadFile("C:\\Skerrowlog.txt");
    return log && log->find("Place:" + std::to_string(place) + "\t") != std::string::npos;
  }

  TestPlatform world_;
  MemoryStore store_;
  WordStatistics statistics_;
};

struct LanguageCase {
  const char* name;
  std::u16string subject;
  std::u16string body;
  std::u16string htmlBody;
  SpamReason expected;
};

class IllegalLanguageTest : public ContentRulesTest,
                            public testing::WithParamInterface<LanguageCase> {};

TEST_P(IllegalLanguageTest, JudgesSubjectThenBody) {
  const LanguageCase& c = GetParam();
  EXPECT_EQ(IllegalLanguage({.subject = c.subject, .body = c.body, .htmlBody = c.htmlBody}),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    OnAWesternCodePage, IllegalLanguageTest,
    testing::Values(
        LanguageCase{"CleanMessage", u"Hello", u"Dear Ann, caf\u00e9 at noon?", u"",
                     SpamReason::None},
        LanguageCase{"ChineseSubject", u"\u4e2d\u6587", u"Hello", u"", SpamReason::LangSubject},
        LanguageCase{"CharsetNameInCapitals", u"Order GB2312", u"", u"", SpamReason::LangSubject},
        LanguageCase{"CharsetNameInSmallLetters", u"Order gb2312", u"", u"",
                     SpamReason::LangSubject},
        LanguageCase{"CharsetNameInMixedCase", u"Order Gb2312", u"", u"", SpamReason::None},
        LanguageCase{"CharsetNameInPlainBody", u"Hello", u"charset gb2312", u"",
                     SpamReason::LangBody},
        LanguageCase{"CharsetDeclarationInHtml", u"Hello", u"clean",
                     u"<meta charset=\"gb2312\"><p>Hi</p>", SpamReason::LangBody},
        LanguageCase{"HtmlBodyIsJudgedInsteadOfThePlainBody", u"Hello", u"gb2312", u"<p>clean</p>",
                     SpamReason::None},
        LanguageCase{"FiveQuestionMarks", u"Hello", u"?????", u"", SpamReason::LangBody},
        LanguageCase{"FourQuestionMarks", u"Hello", u"????", u"", SpamReason::None},
        LanguageCase{"CyrillicBody", u"Hello", u"\u041f\u0440\u0438\u0432\u0435\u0442", u"",
                     SpamReason::LangBody},
        LanguageCase{"SubjectWinsOverBody", u"\u4e2d", u"gb2312", u"", SpamReason::LangSubject},
        LanguageCase{"EmptyTexts", u"", u"", u"", SpamReason::None}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

TEST_F(ContentRulesTest, GoesOnWithTheBodyWhenTheSubjectCannotBeRead) {
  store_.Faults().FailAlways("MailItem.Subject", hr::kFail);
  EXPECT_EQ(IllegalLanguage({.subject = u"\u4e2d", .body = u"gb2312"}), SpamReason::LangBody);
  EXPECT_TRUE(Logged(202201));
}

TEST_F(ContentRulesTest, ReadsThePlainBodyWhenTheHtmlBodyCannotBeRead) {
  store_.Faults().FailAlways("MailItem.HTMLBody", hr::kFail);
  EXPECT_EQ(IllegalLanguage({.body = u"?????", .htmlBody = u"<p>fine</p>"}), SpamReason::LangBody);
  EXPECT_TRUE(Logged(202223));
}

// A long body is converted a piece at a time (64 Ki units): what the test
// looks for counts wherever it falls, across a seam too, and nothing that
// is not there is made up at a seam.
TEST_F(ContentRulesTest, JudgesALongBodyWhereverTheSoughtTextFalls) {
  for (std::size_t at = 65536 - 7; at <= 65536 + 1; ++at) {
    const std::u16string before(at, u'a');
    const std::u16string after(10, u'b');
    EXPECT_EQ(IllegalLanguage({.body = before + u"gb2312" + after}), SpamReason::LangBody) << at;
    EXPECT_EQ(IllegalLanguage({.body = before + u"?????" + after}), SpamReason::LangBody) << at;
    EXPECT_EQ(IllegalLanguage({.body = before + u"????" + after + u"?"}), SpamReason::None) << at;
  }
}

class DoubleByteContentRulesTest : public ContentRulesTest {
 protected:
  DoubleByteContentRulesTest() : ContentRulesTest(936) {}
};

TEST_F(DoubleByteContentRulesTest, CountsChineseTextAsRepresentable) {
  EXPECT_EQ(IllegalLanguage({.subject = u"\u4e2d\u6587\u90ae\u4ef6", .body = u"\u4f60\u597d"}),
            SpamReason::None);
}

TEST_F(DoubleByteContentRulesTest, FindsTheCharsetNameInLongDoubleByteText) {
  EXPECT_EQ(IllegalLanguage({.subject = u"\u4e2d\u6587\u90ae\u4ef6 GB2312"}),
            SpamReason::LangSubject);
}

TEST_F(DoubleByteContentRulesTest, JudgesRunsOfQuestionMarksInTheSameTextAsTheCharsetName) {
  EXPECT_EQ(IllegalLanguage({.subject = u"\u4e2d\u6587\u90ae\u4ef6 ?????"}),
            SpamReason::LangSubject);
  EXPECT_FALSE(IsRepresentable(world_.codePage(), u"\u4e2d\u6587\uac00"));
  EXPECT_TRUE(IsRepresentable(world_.codePage(), u"\u4e2d\u6587\u90ae\u4ef6 ????"));
}

}  // namespace
}  // namespace skerrow
