#include "engine/EngineStages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/AddressBook.h"
#include "engine/FeatureExtractor.h"
#include "engine/MailClassifier.h"
#include "host/memory/MemoryStore.h"
#include "html/HtmlAnalyzer.h"
#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// Gives every HTML body the measures and rendered text the test set.
class ScriptedHtmlAnalyzer : public HtmlAnalyzer {
 public:
  std::u16string renderedText;
  double unknownTagShare = 0.0;
  int smallFont = 0;
  double textBeforeEndShare = 1.0;

  HtmlDocumentResult AnalyzeDocument(const std::u16string&, MessageFeatures& features) override {
    features.unknownTagShare = unknownTagShare;
    features.smallFont = smallFont;
    return {true, renderedText, u""};
  }
  void RawScan(std::string_view, MessageFeatures& features) override {
    features.textBeforeEndShare = textBeforeEndShare;
  }
};

enum class Lesson { None, Spam, Valid };

class ClassifyTest : public testing::Test {
 protected:
  ClassifyTest() {
    // Every filter off: each test switches on what it judges.
    FilterOptions& o = world_.options();
    o.bValidSubjectTxt = o.bValidBodyTxt = o.bDisableCheckAddrBook = 0;
    o.bTestIllegalLang = o.bTestEmpty = o.bDangerAttachment = o.bAllAttachments = 0;
    o.bBadHtmlTags = o.bBeforeHtmlEnd = o.bExtraSmallFont = o.bBadChinaSymb = 0;
    o.bSpamLinks = o.bBayesFilter = o.bMoveUnchangable = 0;
    o.bRemoveScripts = o.bRemoveImages = 0;
  }

  SpamVerdict Classify(NewMail mail) {
    MailItemPtr item = store_.AddMail(store_.Inbox(), std::move(mail));
    return classifier_.classify(*item);
  }

  // Which lesson the statistics took, judged by the message totals.
  Lesson Learned() const {
    if (statistics_.SpamMessageCount() > 0) return Lesson::Spam;
    if (statistics_.ValidMessageCount() > 0) return Lesson::Valid;
    return Lesson::None;
  }

  FilterOptions& options() { return world_.options(); }

  TestPlatform world_;
  MemoryStore store_;
  WordStatistics statistics_;
  AddressBook addressBook_;
  ScriptedHtmlAnalyzer html_;
  FeatureExtractor extractor_{world_.env(), html_};
  EngineStages stages_{world_.env(), statistics_, addressBook_, extractor_};
  MailClassifier classifier_{stages_, world_.options(), world_.log()};
};

// --- Valid check

TEST_F(ClassifyTest, AcceptsAKnownValidSenderBeforeAnyRule) {
  options().bTestEmpty = options().bDangerAttachment = 1;
  statistics_.ValidSenders().Increment("Ann");
  const SpamVerdict verdict = Classify({.sender = u"Ann", .attachments = {u"setup.exe"}});
  EXPECT_EQ(verdict.kind, VerdictKind::Valid);
  EXPECT_EQ(Learned(), Lesson::Valid);
  EXPECT_EQ(statistics_.ValidSenders().entries().at("Ann"), 3);
}

TEST_F(ClassifyTest, AcceptsASenderOfTheAddressBookWhateverTheCase) {
  store_.AddAddressList(u"Contacts", {{u"Ann Example", u"ann@example.com"}});
  addressBook_.TakeSnapshot(*store_.GetApplication()->GetNamespace(u"MAPI").value,
                            world_.codePage(), world_.log());
  EXPECT_EQ(Classify({.sender = u"ANN EXAMPLE"}).kind, VerdictKind::Valid);
  EXPECT_EQ(Classify({.sender = u"Ann Example (work)"}).kind, VerdictKind::Undecided);
}

TEST_F(ClassifyTest, AcceptsAValidTextInTheSubjectOnlyWithItsOption) {
  statistics_.SetValidTexts({"invoice"});
  EXPECT_EQ(Classify({.subject = u"Your INVOICE"}).kind, VerdictKind::Undecided);
  options().bValidSubjectTxt = 1;
  EXPECT_EQ(Classify({.subject = u"Your INVOICE"}).kind, VerdictKind::Valid);
}

TEST_F(ClassifyTest, IgnoresAValidTextFoundOnlyInTheHtmlMarkup) {
  options().bValidBodyTxt = 1;
  statistics_.SetValidTexts({"invoice"});
  html_.renderedText = u"Hello there";
  const SpamVerdict verdict = Classify({.htmlBody = u"<p class=\"invoice\">Hello there</p>"});
  EXPECT_EQ(verdict.kind, VerdictKind::Undecided);
}

TEST_F(ClassifyTest, KnowsNoSenderWithoutTheAddressBookButStillTheValidTexts) {
  options().bDisableCheckAddrBook = 1;
  options().bValidBodyTxt = 1;
  statistics_.ValidSenders().Increment("Ann");
  statistics_.SetValidTexts({"project x"});
  EXPECT_EQ(Classify({.body = u"Hi", .sender = u"Ann"}).kind, VerdictKind::Undecided);
  EXPECT_EQ(Classify({.body = u"About Project X", .sender = u"Ann"}).kind, VerdictKind::Valid);
}

// --- Illegal language and unchangeable items

TEST_F(ClassifyTest, CallsAForeignSubjectSpamWithoutTraining) {
  options().bTestIllegalLang = 1;
  const SpamVerdict verdict = Classify({.subject = u"\u4f60\u597d", .body = u"text"});
  EXPECT_EQ(verdict.kind, VerdictKind::Spam);
  EXPECT_EQ(verdict.reason, SpamReason::LangSubject);
  EXPECT_EQ(Learned(), Lesson::None);
}

TEST_F(ClassifyTest, SendsAForeignSubjectOnToTheRulesWhenTheLanguageTestIsOff) {
  options().bTestEmpty = 1;
  const SpamVerdict verdict = Classify({.subject = u"\u4f60\u597d", .sender = u"Ann"});
  EXPECT_EQ(verdict.reason, SpamReason::EmptyBody);
  EXPECT_EQ(Learned(), Lesson::Spam);
}

TEST_F(ClassifyTest, PutsAPrivateItemAsideEvenWhenARuleWouldFire) {
  options().bMoveUnchangable = 1;
  statistics_.SpamSenders().Increment("Mallory");
  const SpamVerdict verdict =
      Classify({.body = u"text", .sender = u"Mallory", .sensitivity = olk::kSensitivityPrivate});
  EXPECT_EQ(verdict.kind, VerdictKind::Unchangeable);
  EXPECT_EQ(Learned(), Lesson::None);
}

// --- Content and HTML rules

struct RuleCase {
  const char* name;
  std::function<void(FilterOptions&)> switchOn;
  std::function<void(WordStatistics&)> teach;
  std::function<void(ScriptedHtmlAnalyzer&)> measure;
  NewMail mail;
  SpamReason expected;
};

class RuleTest : public ClassifyTest, public testing::WithParamInterface<RuleCase> {};

TEST_P(RuleTest, GivesTheFirstReasonThatAppliesAndLearnsItAsSpam) {
  const RuleCase& c = GetParam();
  if (c.switchOn) c.switchOn(options());
  if (c.teach) c.teach(statistics_);
  if (c.measure) c.measure(html_);

  const SpamVerdict verdict = Classify(c.mail);

  EXPECT_EQ(verdict.reason, c.expected);
  EXPECT_EQ(verdict.score, 0.0);
  if (c.expected == SpamReason::None) {
    EXPECT_EQ(verdict.kind, VerdictKind::Undecided);
    EXPECT_EQ(Learned(), Lesson::None);
  } else {
    EXPECT_EQ(verdict.kind, VerdictKind::Spam);
    EXPECT_EQ(Learned(), Lesson::Spam);
  }
}

const NewMail kOrdinary = {
    .subject = u"Lunch on Friday", .body = u"Shall we meet at noon?", .sender = u"Ann"};

NewMail With(NewMail mail, const std::function<void(NewMail&)>& change) {
  change(mail);
  return mail;
}

const NewMail kHtml = With(kOrdinary, [](NewMail& m) { m.htmlBody = u"<p>Shall we meet?</p>"; });

INSTANTIATE_TEST_SUITE_P(Rules, RuleTest,
                         testing::Values(RuleCase{"NothingFiresOnAnOrdinaryMessage",
                                                  [](FilterOptions& o) {
                                                    o.bTestEmpty = o.bDangerAttachment =
                                                        o.bBadChinaSymb = o.bSpamLinks = 1;
                                                  },
                                                  nullptr, nullptr, kOrdinary, SpamReason::None},
                                         RuleCase{"SpamLink",
                                                  [](FilterOptions& o) { o.bSpamLinks = 1; },
                                                  [](WordStatistics& s) {
                                                    s.SpamLinks().Increment("WWW.EVIL.EXAMPLE");
                                                  },
                                                  nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.body = u"Visit www.evil.example today";
                                                       }),
                                                  SpamReason::SpamLink},
                                         RuleCase{"SpamLinkNeedsItsOption", nullptr,
                                                  [](WordStatistics& s) {
                                                    s.SpamLinks().Increment("WWW.EVIL.EXAMPLE");
                                                  },
                                                  nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.body = u"Visit www.evil.example today";
                                                       }),
                                                  SpamReason::None},
                                         RuleCase{"SpamLinkComesFirst",
                                                  [](FilterOptions& o) {
                                                    o.bSpamLinks = o.bTestEmpty = 1;
                                                  },
                                                  [](WordStatistics& s) {
                                                    s.SpamLinks().Increment("WWW.EVIL.EXAMPLE");
                                                  },
                                                  nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.body = u"1 www.evil.example 2";
                                                       }),
                                                  SpamReason::SpamLink},
                                         RuleCase{"SmallFontBeforeUnknownTags",
                                                  [](FilterOptions& o) {
                                                    o.bExtraSmallFont = o.bBadHtmlTags = 1;
                                                  },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.renderedText = u"Shall we meet?";
                                                    h.smallFont = 1;
                                                    h.unknownTagShare = 0.5;
                                                  },
                                                  kHtml, SpamReason::ExtraSmallFont},
                                         RuleCase{"UnknownTags",
                                                  [](FilterOptions& o) { o.bBadHtmlTags = 1; },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.renderedText = u"Shall we meet?";
                                                    h.unknownTagShare = 0.3;
                                                  },
                                                  kHtml, SpamReason::BadHtmlTags},
                                         RuleCase{"UnknownTagShareOfExactlyTheLimitPasses",
                                                  [](FilterOptions& o) { o.bBadHtmlTags = 1; },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.unknownTagShare = 0.2;
                                                  },
                                                  kHtml, SpamReason::None},
                                         RuleCase{"TextAfterTheHtmlEnd",
                                                  [](FilterOptions& o) { o.bBeforeHtmlEnd = 1; },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.textBeforeEndShare = 0.94;
                                                  },
                                                  kHtml, SpamReason::TextAfterHtmlEnd},
                                         RuleCase{"TextBeforeEndShareOfExactlyTheLimitPasses",
                                                  [](FilterOptions& o) { o.bBeforeHtmlEnd = 1; },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.textBeforeEndShare = 0.95;
                                                  },
                                                  kHtml, SpamReason::None},
                                         RuleCase{"PlainTextIsNeverJudgedByTheHtmlRules",
                                                  [](FilterOptions& o) {
                                                    o.bExtraSmallFont = o.bBadHtmlTags =
                                                        o.bBeforeHtmlEnd = 1;
                                                  },
                                                  nullptr,
                                                  [](ScriptedHtmlAnalyzer& h) {
                                                    h.smallFont = 1;
                                                    h.unknownTagShare = 0.9;
                                                    h.textBeforeEndShare = 0.1;
                                                  },
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.body = u"<html><font size=0>x</font>";
                                                       }),
                                                  SpamReason::None},
                                         RuleCase{"ChineseSymbols",
                                                  [](FilterOptions& o) { o.bBadChinaSymb = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.body = u"xa\u00a6b\u00a6c + more text";
                                                       }),
                                                  SpamReason::ChineseSymbols},
                                         RuleCase{"EmptyBody",
                                                  [](FilterOptions& o) { o.bTestEmpty = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) { m.body = u"123 ... 456"; }),
                                                  SpamReason::EmptyBody},
                                         RuleCase{"UnreadableHtmlIsAnEmptyBody",
                                                  [](FilterOptions& o) { o.bTestEmpty = 1; },
                                                  nullptr, nullptr, kHtml, SpamReason::EmptyBody},
                                         RuleCase{"EmptySender",
                                                  [](FilterOptions& o) { o.bTestEmpty = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) { m.sender = u"12345"; }),
                                                  SpamReason::EmptySender},
                                         RuleCase{
                                             "NoEmptySenderWithoutTheAddressBook",
                                             [](FilterOptions& o) {
                                               o.bTestEmpty = o.bDisableCheckAddrBook = 1;
                                             },
                                             nullptr, nullptr,
                                             With(kOrdinary, [](NewMail& m) { m.sender = u""; }),
                                             SpamReason::None},
                                         RuleCase{"AnyAttachment",
                                                  [](FilterOptions& o) { o.bAllAttachments = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.attachments = {u"manual.pdf"};
                                                       }),
                                                  SpamReason::AnyAttachment},
                                         RuleCase{"HarmlessAttachment",
                                                  [](FilterOptions& o) { o.bDangerAttachment = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.attachments = {u"manual.pdf"};
                                                       }),
                                                  SpamReason::None},
                                         RuleCase{"AnyAttachmentBeforeDangerous",
                                                  [](FilterOptions& o) {
                                                    o.bAllAttachments = o.bDangerAttachment = 1;
                                                  },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.attachments = {u"report.exe"};
                                                       }),
                                                  SpamReason::AnyAttachment},
                                         RuleCase{"DangerousExtensionAnywhereInTheName",
                                                  [](FilterOptions& o) { o.bDangerAttachment = 1; },
                                                  nullptr, nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.attachments = {u"a.pdf",
                                                                          u"setup.com.txt"};
                                                       }),
                                                  SpamReason::DangerAttachment},
                                         RuleCase{"SpamSender", nullptr,
                                                  [](WordStatistics&
                                                         s) { s.SpamSenders().Increment("Ann"); },
                                                  nullptr, kOrdinary, SpamReason::SpamSender},
                                         RuleCase{"SpamSubjectOfFourteenCharacters", nullptr,
                                                  [](WordStatistics& s) {
                                                    s.SpamSubjects().Increment("Cheap watches!");
                                                  },
                                                  nullptr,
                                                  With(kOrdinary,
                                                       [](NewMail& m) {
                                                         m.subject = u"Cheap watches!";
                                                       }),
                                                  SpamReason::SpamSubject},
                                         RuleCase{
                                             "SpamSubjectOfThirteenCharacters", nullptr,
                                             [](WordStatistics& s) {
                                               s.SpamSubjects().Increment("Cheap watches");
                                             },
                                             nullptr,
                                             With(kOrdinary,
                                                  [](NewMail& m) { m.subject = u"Cheap watches"; }),
                                             SpamReason::None},
                                         RuleCase{
                                             "SpamBodyByItsFirstThirtyCharacters", nullptr,
                                             [](WordStatistics& s) {
                                               s.SpamBodies().Increment(
                                                   "Dear friend, I am a prince of a land far away");
                                             },
                                             nullptr,
                                             With(kOrdinary,
                                                  [](NewMail& m) {
                                                    m.body =
                                                        u"Dear friend, I am a prince of another "
                                                        u"story";
                                                  }),
                                             SpamReason::SpamBody},
                                         RuleCase{"SpamSenderBeforeSubjectAndBody", nullptr,
                                                  [](WordStatistics& s) {
                                                    s.SpamSenders().Increment("Ann");
                                                    s.SpamSubjects().Increment("Lunch on Friday");
                                                    s.SpamBodies().Increment(
                                                        "Shall we meet at noon?");
                                                  },
                                                  nullptr, kOrdinary, SpamReason::SpamSender}),
                         [](const testing::TestParamInfo<RuleCase>& info) {
                           return info.param.name;
                         });

TEST_F(ClassifyTest, TeachesTheSpamListsWithARuleVerdict) {
  statistics_.SpamSenders().Increment("Mallory");
  Classify({.subject = u"A subject to remember", .body = u"Some body", .sender = u"Mallory"});
  EXPECT_EQ(statistics_.SpamSenders().entries().at("Mallory"), 3);
  EXPECT_TRUE(statistics_.SpamSubjects().IsListed("A subject to remember"));
  EXPECT_EQ(statistics_.SpamMessageCount(), 1);
  EXPECT_EQ(SpamCountOf(statistics_.Words().at("SUBJECT")), 1);
}

// --- Bayes

class BayesClassifyTest : public ClassifyTest {
 protected:
  BayesClassifyTest() {
    options().bBayesFilter = 1;
    statistics_.SetSpamMessageCount(10);
    statistics_.SetValidMessageCount(20);
    statistics_.Words()["CHEAP"] = PackCounts(8, 2);
    statistics_.Words()["WATCHES"] = PackCounts(5, 0);
    statistics_.Words()["AVAILABLE"] = PackCounts(5, 16);
  }
};

TEST_F(BayesClassifyTest, CallsAMessageAboveOneHalfSpamWithItsProbability) {
  const SpamVerdict verdict = Classify({.body = u"Cheap watches available", .sender = u"Eve"});
  EXPECT_EQ(verdict.kind, VerdictKind::Spam);
  EXPECT_EQ(verdict.reason, SpamReason::Bayes);
  EXPECT_NEAR(verdict.score, 0.9615, 5e-5);
  EXPECT_EQ(statistics_.SpamMessageCount(), 11);
  EXPECT_EQ(SpamCountOf(statistics_.Words().at("CHEAP")), 9);
}

TEST_F(BayesClassifyTest, CallsAMessageOfExactlyOneHalfValidAndLearnsIt) {
  const SpamVerdict verdict = Classify({.body = u"Nothing known here", .sender = u"Eve"});
  EXPECT_EQ(verdict.kind, VerdictKind::Valid);
  EXPECT_EQ(statistics_.ValidMessageCount(), 21);
  EXPECT_TRUE(statistics_.ValidSenders().IsListed("Eve"));
}

TEST_F(BayesClassifyTest, LeavesTheMessageUndecidedAndUntaughtWhenTheFilterIsOff) {
  options().bBayesFilter = 0;
  const SpamVerdict verdict = Classify({.body = u"Cheap watches available", .sender = u"Eve"});
  EXPECT_EQ(verdict.kind, VerdictKind::Undecided);
  EXPECT_EQ(statistics_.SpamMessageCount(), 10);
  EXPECT_EQ(statistics_.ValidMessageCount(), 20);
}

}  // namespace
}  // namespace skerrow
