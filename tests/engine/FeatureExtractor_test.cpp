#include "engine/FeatureExtractor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/NoHtmlAnalyzer.h"
#include "host/memory/MemoryStore.h"
#include "html/HtmlAnalyzer.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr std::string_view kLogPath = "C:\\Skerrowlog.txt";
// 2024-03-05 13:45 as an automation date.
constexpr double kTuesdayAfternoon = 45356.572916666664;

// Answers every analysis with what the test set and records what it was given.
class ScriptedHtmlAnalyzer : public HtmlAnalyzer {
 public:
  HtmlDocumentResult result{true, u"", u""};
  int htmlChanged = 0;
  std::vector<std::u16string> analyzed;
  std::vector<std::string> scanned;

  HtmlDocumentResult AnalyzeDocument(const std::u16string& html,
                                     MessageFeatures& features) override {
    analyzed.push_back(html);
    features.htmlChanged = htmlChanged;
    return result;
  }
  void RawScan(std::string_view html, MessageFeatures& features) override {
    scanned.emplace_back(html);
    features.textBeforeEndShare = 0.5;
  }
};

class FeatureExtractorTest : public testing::Test {
 protected:
  FeatureExtractorTest() { world_.options().bErrorLog = 1; }

  MessageFeatures Extract(NewMail mail, HtmlAnalyzer& html) {
    item_ = store_.AddMail(store_.Inbox(), std::move(mail));
    MessageFeatures features;
    FeatureExtractor(world_.env(), html).extractFeatures(*item_, features);
    return features;
  }
  MessageFeatures Extract(NewMail mail) { return Extract(std::move(mail), html_); }

  bool Logged(int place) const {
    const std::optional<std::string> log = world_.ReadFile(kLogPath);
    return log && log->find("Place:" + std::to_string(place) + "\t") != std::string::npos;
  }

  TestPlatform world_;
  MemoryStore store_;
  ScriptedHtmlAnalyzer html_;
  MailItemPtr item_;
};

// --- Texts

TEST_F(FeatureExtractorTest, ReadsSenderSubjectBodyAndUpperCasedAttachmentNames) {
  const MessageFeatures features = Extract({.subject = u"Quarterly report",
                                            .body = u"Hello world, hello again",
                                            .sender = u"Ann Example",
                                            .attachments = {u"report.exe", u"", u"notes.txt"}});
  EXPECT_EQ(features.senderName, "Ann Example");
  EXPECT_EQ(features.subject, "Quarterly report");
  EXPECT_EQ(features.bodyText, "Hello world, hello again");
  EXPECT_EQ(features.attachmentNames, (std::vector<std::string>{"REPORT.EXE", "NOTES.TXT"}));
  EXPECT_EQ(features.isHtml, 0);
  for (const char* word :
       {"HELLO", "WORLD", "AGAIN", "QUARTERLY", "REPORT", "REPORT.EXE", "NOTES.TXT"}) {
    EXPECT_TRUE(features.words.contains(word)) << word;
  }
}

TEST_F(FeatureExtractorTest, ConvertsTextsToTheCodePageWithQuestionMarks) {
  const MessageFeatures features = Extract({.subject = u"Caf\u00e9 \u4e2d"});
  EXPECT_EQ(features.subject, "Caf\xE9 ?");
}

TEST_F(FeatureExtractorTest, KeepsTheBodyEmptyAndGoesOnWhenItCannotBeRead) {
  store_.Faults().FailAlways("MailItem.Body", hr::kFail);
  const MessageFeatures features = Extract({.subject = u"Still here", .body = u"lost"});
  EXPECT_EQ(features.bodyText, "");
  EXPECT_TRUE(features.words.contains("STILL"));
  EXPECT_TRUE(Logged(100302));
}

// --- Pseudo-words

TEST_F(FeatureExtractorTest, MakesPseudoWordsFromRecipientsTimeSizeAndImportance) {
  const MessageFeatures features =
      Extract({.to = u"Ann Example; Bob",
               .recipients = {u"someone.with.a.long.address@example.com", u"b@example.com"},
               .receivedTime = kTuesdayAfternoon,
               .size = 12345,
               .importance = olk::kImportanceHigh});
  for (const char* word : {"RC_SOMEONE.WITH.A.LONG.ADDRESS@EX", "RC_B@EXAMPLE.COM", "RC_N_2",
                           "TO_ANN_EXAMPLE;_BOB", "HOURS_13", "SZ_10000", "IMPO_2"}) {
    EXPECT_TRUE(features.words.contains(word)) << word;
  }
}

TEST_F(FeatureExtractorTest, KeepsTheFirstDigitOfTheSize) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {7, "SZ_7"}, {980, "SZ_900"}, {0, "SZ_0"}, {2000000000, "SZ_2000000000"}};
  for (const auto& [size, word] : cases) {
    EXPECT_TRUE(Extract({.size = size}).words.contains(word)) << size;
  }
}

TEST_F(FeatureExtractorTest, CutsTheToWordToSixtyCharacters) {
  const MessageFeatures features = Extract({.to = std::u16string(80, u'x')});
  EXPECT_TRUE(features.words.contains("TO_" + std::string(57, 'X')));
}

TEST_F(FeatureExtractorTest, CountsNoRecipientsAsZero) {
  const MessageFeatures features = Extract({});
  EXPECT_TRUE(features.words.contains("RC_N_0"));
}

TEST_F(FeatureExtractorTest, ReadsNoSenderAndMakesNoPseudoWordWithoutTheAddressBook) {
  world_.options().bDisableCheckAddrBook = 1;
  const MessageFeatures features = Extract({.subject = u"Hi there",
                                            .sender = u"Ann",
                                            .to = u"Bob",
                                            .recipients = {u"bob@example.com"},
                                            .receivedTime = kTuesdayAfternoon});
  EXPECT_EQ(features.senderName, "");
  EXPECT_EQ(features.words, (WordSet{"HI", "THERE"}));
}

TEST_F(FeatureExtractorTest, MakesNoPseudoWordWhenTheRecipientsAreUnavailable) {
  store_.Faults().FailAlways("MailItem.GetRecipients", hr::kFail);
  const MessageFeatures features = Extract({.subject = u"Hi", .to = u"Bob", .size = 50});
  EXPECT_EQ(features.words, (WordSet{"HI"}));
  EXPECT_TRUE(Logged(100501));
}

TEST_F(FeatureExtractorTest, UsesTheFallbackWordsWhenTimeOrImportanceCannotBeRead) {
  store_.Faults().FailAlways("MailItem.ReceivedTime", hr::kFail);
  store_.Faults().FailAlways("MailItem.Importance", hr::kFail);
  const MessageFeatures features = Extract({});
  EXPECT_TRUE(features.words.contains("HOURS_-1"));
  EXPECT_TRUE(features.words.contains("IMPO_555"));
  EXPECT_TRUE(Logged(100506));
  EXPECT_TRUE(Logged(100508));
}

TEST_F(FeatureExtractorTest, GivesHourMinusOneForADateOutsideTheCalendar) {
  EXPECT_TRUE(Extract({.receivedTime = 1e9}).words.contains("HOURS_-1"));
  EXPECT_TRUE(Extract({.receivedTime = -0.25}).words.contains("HOURS_6"));
}

// --- HTML bodies

TEST_F(FeatureExtractorTest, TakesTheRenderedTextOfAnHtmlBodyAndScansTheHtmlItself) {
  html_.result.renderedText = u"Rendered words here";
  const MessageFeatures features =
      Extract({.body = u"plain alternative", .htmlBody = u"<p>Rendered words here</p>"});
  EXPECT_EQ(features.isHtml, 1);
  EXPECT_EQ(html_.analyzed, (std::vector<std::u16string>{u"<p>Rendered words here</p>"}));
  EXPECT_TRUE(features.htmlBody.empty() && features.htmlBody.capacity() < 16);
  EXPECT_EQ(features.bodyText, "Rendered words here");
  EXPECT_EQ(html_.scanned, (std::vector<std::string>{"<p>Rendered words here</p>"}));
  EXPECT_EQ(features.textBeforeEndShare, 0.5);
  EXPECT_TRUE(features.words.contains("RENDERED"));
  EXPECT_FALSE(features.words.contains("PLAIN"));
}

TEST_F(FeatureExtractorTest, MarksHtmlWithAnEmptyBodyWhenTheDocumentCannotBeParsed) {
  NoHtmlAnalyzer noEngine;
  const MessageFeatures features = Extract({.htmlBody = u"<p>text</p>"}, noEngine);
  EXPECT_EQ(features.isHtml, 1);
  EXPECT_EQ(features.bodyText, "");
  EXPECT_EQ(features.unknownTagShare, 0.0);
  EXPECT_EQ(features.smallFont, 0);
}

struct WriteBackCase {
  const char* name;
  bool removeScripts;
  bool removeImages;
  int htmlChanged;
  std::u16string cleanedHtml;
  bool written;
};

class HtmlWriteBackTest : public FeatureExtractorTest,
                          public testing::WithParamInterface<WriteBackCase> {};

TEST_P(HtmlWriteBackTest, WritesTheCleanedHtmlBackOnlyWhenCleaningChangedIt) {
  const WriteBackCase& c = GetParam();
  world_.options().bRemoveScripts = c.removeScripts;
  world_.options().bRemoveImages = c.removeImages;
  html_.htmlChanged = c.htmlChanged;
  html_.result.cleanedHtml = c.cleanedHtml;
  const std::u16string original = u"<body><script>x()</script></body>";

  Extract({.htmlBody = original});

  const StoredItem* stored = MemoryStore::Inspect(item_);
  EXPECT_EQ(stored->htmlBody, c.written ? c.cleanedHtml : original);
  EXPECT_EQ(stored->saves, c.written ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Options, HtmlWriteBackTest,
    testing::Values(WriteBackCase{"ScriptsRemoved", true, false, 1, u"<BODY>clean</BODY>", true},
                    WriteBackCase{"ImagesRemoved", false, true, 1, u"<BODY>clean</BODY>", true},
                    WriteBackCase{"BothOptionsOff", false, false, 1, u"<BODY>clean</BODY>", false},
                    WriteBackCase{"NothingChanged", true, true, 0, u"<BODY>same</BODY>", false},
                    WriteBackCase{"NoCleanedHtml", true, false, 1, u"", false}),
    [](const testing::TestParamInfo<WriteBackCase>& info) { return info.param.name; });

TEST_F(FeatureExtractorTest, LogsAFailedWriteBackAndStillSaves) {
  world_.options().bRemoveScripts = 1;
  html_.htmlChanged = 1;
  html_.result.cleanedHtml = u"<BODY></BODY>";
  store_.Faults().FailAlways("MailItem.SetHTMLBody", hr::kAccessDenied);
  const MessageFeatures features = Extract({.htmlBody = u"<script>x</script>"});
  EXPECT_TRUE(Logged(100303));
  EXPECT_EQ(store_.Faults().Calls("MailItem.Save"), 1);
  EXPECT_EQ(features.isHtml, 1);
}

}  // namespace
}  // namespace skerrow
