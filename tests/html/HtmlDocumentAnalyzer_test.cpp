#include "html/HtmlDocumentAnalyzer.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Utf8.h"
#include "engine/AddressBook.h"
#include "engine/EngineStages.h"
#include "engine/FeatureExtractor.h"
#include "engine/MailClassifier.h"
#include "host/memory/MemoryStore.h"
#include "stats/WordStatistics.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

std::u16string Wide(std::string_view text) {
  return Utf8ToUtf16(text);
}
std::string Narrow(const std::u16string& text) {
  return Utf16ToUtf8(text);
}

class HtmlDocumentAnalyzerTest : public ::testing::Test {
 protected:
  HtmlDocumentAnalyzerTest() { world.options().bErrorLog = 1; }

  HtmlDocumentResult Analyze(std::string_view html) {
    return analyzer.AnalyzeDocument(Wide(html), features);
  }
  std::string Log() { return world.ReadFile("C:\\Skerrowlog.txt").value_or(""); }

  TestPlatform world;
  HtmlDocumentAnalyzer analyzer{world.env()};
  MessageFeatures features;
};

// The implied HTML, HEAD and BODY count as elements, as in a browser.
struct ShareCase {
  const char* html;
  double share;
};

class UnknownTagShareTest : public HtmlDocumentAnalyzerTest,
                            public ::testing::WithParamInterface<ShareCase> {};

TEST_P(UnknownTagShareTest, IsTheShareOfCountedElementsWithUnknownNames) {
  Analyze(GetParam().html);
  EXPECT_DOUBLE_EQ(features.unknownTagShare, GetParam().share);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, UnknownTagShareTest,
    ::testing::Values(ShareCase{"<p>Hello <b>world</b></p><!-- note -->", 0.0},
                      // HTML, HEAD, BODY and seven more, three of them unknown.
                      ShareCase{
                          "<o:p>a</o:p><blink>b</blink><col2>x</col2><span>c</span><div>d</div>"
                          "<b>e</b><i>f</i>",
                          0.3},
                      // An element named xml leaves the share unmeasured.
                      ShareCase{"<o:p>a</o:p><blink>b</blink><xml>data</xml>", 0.0}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.html, info.index);
    });

TEST_F(HtmlDocumentAnalyzerTest, AnXmlElementLeavesBothSharesUnjudged) {
  std::string html =
      "<html><body><o:p>a</o:p><blink>b</blink><xml>x</xml></body></html>" + std::string(200, 'x');
  Analyze(html);
  analyzer.RawScan(html, features);
  EXPECT_DOUBLE_EQ(features.unknownTagShare, 0.0);
  EXPECT_DOUBLE_EQ(features.textBeforeEndShare, 1.0);
}

struct FontCase {
  const char* html;
  int smallFont;
};

class SmallFontTest : public HtmlDocumentAnalyzerTest,
                      public ::testing::WithParamInterface<FontCase> {};

TEST_P(SmallFontTest, IsSetOnlyByExtraSmallFontElements) {
  Analyze(GetParam().html);
  EXPECT_EQ(features.smallFont, GetParam().smallFont) << GetParam().html;
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, SmallFontTest,
    ::testing::Values(FontCase{"<font size=1>a</font>", 0}, FontCase{"<font size=0>a</font>", 1},
                      FontCase{"<font size=\"-1\">a</font>", 0},
                      FontCase{"<font style=\"font-size: 2pt\">a</font>", 1},
                      FontCase{"<font style=\"font-size:3pt\">a</font>", 0},
                      FontCase{"<font style=\"font: bold 1px Arial\">a</font>", 1},
                      FontCase{"<font style=\"font-size:0.9em\">a</font>", 0},
                      FontCase{"<font style=\"font-size:large\">a</font>", 0},
                      FontCase{"<span style=\"font-size:1px\">a</span>", 0},
                      FontCase{"<FONT SIZE=0>a</FONT>", 1}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.html, info.index);
    });

TEST_F(HtmlDocumentAnalyzerTest, FontColoursBecomeWordsAsWritten) {
  Analyze(
      "<font color=\"#FF00aa\" style=\"color: Red\">a</font><span style=\"color:blue\">b</span>");
  EXPECT_EQ(features.words, (WordSet{"cl_#FF00aa", "cl_Red"}));
}

TEST_F(HtmlDocumentAnalyzerTest, OnlyTheFirstThreeImageSourcesAndLinkTargetsAreSampled) {
  Analyze(
      "<img src=\"http://a/1.png\"><img src=\"http://a/2.png\"><img src=\"\">"
      "<img src=\"http://a/4.png\"><a href=\"http://l/1\">1</a><a name=x>no href</a>"
      "<map><area href=\"http://l/2\"></map><a href=\"http://l/3\">3</a><a "
      "href=\"http://l/4\">4</a>");
  EXPECT_EQ(features.links, (WordSet{"HTTP://A/1.PNG", "HTTP://A/2.PNG", "HTTP://L/1", "HTTP://L/2",
                                     "HTTP://L/3"}));
}

TEST_F(HtmlDocumentAnalyzerTest, RenderedTextSkipsHeadAndScriptsAndBreaksLines) {
  HtmlDocumentResult result = Analyze(
      "<html><head><title>T</title><style>p{}</style></head><body><p>Hello   <b>world</b></p>"
      "<script>var a = 1;</script><div>second\nline</div>a<br>b</body></html>");
  EXPECT_TRUE(result.parsed);
  EXPECT_EQ(Narrow(result.renderedText), "Hello world\r\nsecond line\r\na\r\nb");
  EXPECT_TRUE(result.cleanedHtml.empty());
}

TEST_F(HtmlDocumentAnalyzerTest, TwoScriptsKeepTheirElementsWithTheCommentAsContent) {
  world.options().bRemoveScripts = 1;
  HtmlDocumentResult result = Analyze(
      "<head><script>alert(1)</script></head><body>x<script>if (a < b) go();</script></body>");
  EXPECT_EQ(features.htmlChanged, 1);
  // The first script is in the head, which the body's HTML leaves out.
  EXPECT_EQ(Narrow(result.cleanedHtml),
            "<body>x<script><!-- Removed  by Brannel --></script></body>");
}

TEST_F(HtmlDocumentAnalyzerTest, ImagesLoseTheirSourceAndSizelessOnesBecomeFramedBoxes) {
  world.options().bRemoveImages = 1;
  HtmlDocumentResult result =
      Analyze("<img src=\"http://a/big.png\" width=100 height=50><img src=\"http://a/x.gif\">");
  EXPECT_EQ(features.htmlChanged, 1);
  EXPECT_EQ(Narrow(result.cleanedHtml),
            "<body><img src=\"\" width=\"100\" height=\"50\" border=\"1\">"
            "<img src=\"\" width=\"32\" height=\"16\" border=\"1\"></body>");
  // Sampled before they were emptied.
  EXPECT_EQ(features.links, (WordSet{"HTTP://A/BIG.PNG", "HTTP://A/X.GIF"}));
}

TEST_F(HtmlDocumentAnalyzerTest, NothingToCleanLeavesHtmlChangedClear) {
  world.options().bRemoveScripts = 1;
  features.htmlChanged = 1;
  HtmlDocumentResult result = Analyze("<p>plain <b>text</b></p>");
  EXPECT_EQ(features.htmlChanged, 0);
  EXPECT_EQ(Narrow(result.cleanedHtml), "<body><p>plain <b>text</b></p></body>");
}

TEST_F(HtmlDocumentAnalyzerTest, AHostileTextBeyondTheBudgetIsMeasuredOnItsLeadingPartOnly) {
  world.options().bRemoveScripts = 1;
  std::string html = "<p>start</p><script>x</script>";
  for (int i = 0; i < 100000; ++i) html += "<div>";
  HtmlDocumentResult result = Analyze(html);
  EXPECT_TRUE(result.parsed);
  EXPECT_EQ(features.htmlChanged, 1);
  EXPECT_EQ(Narrow(result.renderedText), "start");
  // Never written back in place of the whole message.
  EXPECT_TRUE(result.cleanedHtml.empty());
  EXPECT_NE(Log().find("Place:100211\tCode: -1"), std::string::npos) << Log();
}

// An engine whose calls can be made to fail, to see each failure logged with
// its place and the analysis go on.
class FailingEngine : public HtmlEngine {
 public:
  explicit FailingEngine(HtmlEngine& inner) : inner_(inner) {}
  Result<std::unique_ptr<HtmlDocument>> CreateDocument() override {
    if (failCreate) return Fail<std::unique_ptr<HtmlDocument>>(hr::kClassNotAvailable);
    return inner_.CreateDocument();
  }
  bool failCreate = false;

 private:
  HtmlEngine& inner_;
};

TEST_F(HtmlDocumentAnalyzerTest, WithoutADocumentNothingIsMeasuredAndTheFailureIsLogged) {
  FailingEngine engine(world.html());
  engine.failCreate = true;
  HtmlDocumentAnalyzer failing(world.env(), engine);
  HtmlDocumentResult result = failing.AnalyzeDocument(u"<font size=0>a</font>", features);
  EXPECT_FALSE(result.parsed);
  EXPECT_EQ(features.smallFont, 0);
  EXPECT_NE(Log().find("Place:100201"), std::string::npos);
}

struct RawCase {
  const char* name;
  std::string html;
  double share;
};

class RawScanTest : public HtmlDocumentAnalyzerTest,
                    public ::testing::WithParamInterface<RawCase> {};

TEST_P(RawScanTest, MeasuresTheTextBeforeTheClosingHtmlTag) {
  analyzer.RawScan(GetParam().html, features);
  EXPECT_DOUBLE_EQ(features.textBeforeEndShare, GetParam().share) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RawScanTest,
    ::testing::Values(RawCase{"no closing tag", "<html><body>text", 1.0},
                      RawCase{"closing at 960 of 1000",
                              std::string(954, 'a') + "</html>" + std::string(39, 'b'), 0.960},
                      RawCase{"short text ending with its closing tag", "<p>x</p></html>",
                              14.0 / 15.0},
                      RawCase{"a closing html tag inside a script",
                              "<script>if (a</html>) b();</script>" + std::string(60, 'x') +
                                  "</html>" + std::string(10, 'y'),
                              101.0 / 112.0},
                      RawCase{"closing tag in any case", "1234567</HTML >89", 14.0 / 17.0},
                      RawCase{"an XML element", "<xml></xml></html>" + std::string(100, 'z'), 1.0},
                      RawCase{"an empty text", "", 1.0}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

// The measures judged by the pipeline, on messages in the in-memory store.
class ClassifyHtmlTest : public ::testing::Test {
 protected:
  ClassifyHtmlTest() {
    FilterOptions& o = world.options();
    o.bTestIllegalLang = o.bTestEmpty = o.bDangerAttachment = o.bBayesFilter = 0;
    o.bDisableCheckAddrBook = 1;
  }

  MailItemPtr Deliver(std::string_view html) {
    return store.AddMail(store.Inbox(), {.subject = u"Hello", .htmlBody = Wide(html)});
  }
  SpamVerdict Classify(std::string_view html) { return classifier.classify(*Deliver(html)); }

  TestPlatform world;
  MemoryStore store;
  WordStatistics statistics;
  AddressBook addressBook;
  HtmlDocumentAnalyzer analyzer{world.env()};
  FeatureExtractor extractor{world.env(), analyzer};
  EngineStages stages{world.env(), statistics, addressBook, extractor};
  MailClassifier classifier{stages, world.options(), world.log()};
};

TEST_F(ClassifyHtmlTest, AnUnknownTagShareAboveOneFifthGivesReasonNine) {
  world.options().bBadHtmlTags = 1;
  SpamVerdict verdict = Classify(
      "<html><body><o:p>a</o:p><blink>b</blink><col2>x</col2><span>c</span><div>d</div>"
      "<b>e</b><i>f</i></body></html>");
  EXPECT_EQ(verdict.kind, VerdictKind::Spam);
  EXPECT_EQ(verdict.reason, SpamReason::BadHtmlTags);
}

TEST_F(ClassifyHtmlTest, TextAfterTheEndOfTheHtmlGivesReasonTen) {
  world.options().bBeforeHtmlEnd = 1;
  SpamVerdict verdict = Classify("<html><body>Hi</body></html>" + std::string(100, 'x'));
  EXPECT_EQ(verdict.reason, SpamReason::TextAfterHtmlEnd);
  // Without a closing html tag the share is 1.0 (a new text: the first one
  // was learned as a spam body).
  EXPECT_EQ(Classify("<html><body>Other</body>" + std::string(100, 'y')).kind,
            VerdictKind::Undecided);
}

TEST_F(ClassifyHtmlTest, AnExtraSmallFontGivesReasonElevenBeforeTheTagShare) {
  world.options().bExtraSmallFont = world.options().bBadHtmlTags = 1;
  SpamVerdict verdict = Classify("<o:p>a</o:p><blink>b</blink><font size=0>tiny</font>");
  EXPECT_EQ(verdict.reason, SpamReason::ExtraSmallFont);
}

TEST_F(ClassifyHtmlTest, AnXmlElementKeepsTheMessageFromBothRules) {
  world.options().bBadHtmlTags = world.options().bBeforeHtmlEnd = 1;
  SpamVerdict verdict =
      Classify("<o:p>a</o:p><blink>b</blink><xml>x</xml></html>" + std::string(100, 'x'));
  EXPECT_EQ(verdict.kind, VerdictKind::Undecided);
}

TEST_F(ClassifyHtmlTest, ABodyCutAfterALargeInlineImageIsNotAnEmptyBody) {
  world.options().bTestEmpty = 1;
  const std::string image =
      "<img src=\"data:image/png;base64," + std::string(2'600'000, 'A') + "\">";
  EXPECT_EQ(Classify(image + "<p>Hello, here is the text.</p>").kind, VerdictKind::Undecided);
  EXPECT_EQ(Classify("<img src=\"x.png\">").reason, SpamReason::EmptyBody) << "when whole";
}

TEST_F(ClassifyHtmlTest, TheCleanedBodyElementReplacesTheHtmlAndIsSaved) {
  world.options().bRemoveScripts = 1;
  MailItemPtr item = Deliver(
      "<html><head><title>T</title></head><body><p>Hi</p><script>steal()</script></body></html>");
  classifier.classify(*item);
  EXPECT_EQ(Narrow(item->HTMLBody().value),
            "<body><p>Hi</p><script><!-- Removed  by Brannel --></script></body>");
  EXPECT_EQ(MemoryStore::Inspect(item)->saves, 1);
}

TEST_F(ClassifyHtmlTest, WithBothCleaningOptionsOffTheItemIsNeverWritten) {
  const std::string html = "<p>Hi</p><script>steal()</script><img src=\"http://t/x.gif\">";
  MailItemPtr item = Deliver(html);
  classifier.classify(*item);
  EXPECT_EQ(Narrow(item->HTMLBody().value), html);
  EXPECT_EQ(MemoryStore::Inspect(item)->saves, 0);
}

TEST_F(ClassifyHtmlTest, AMessageWithNothingToCleanIsNotWritten) {
  world.options().bRemoveScripts = world.options().bRemoveImages = 1;
  MailItemPtr item = Deliver("<p>Nothing <b>active</b> here</p>");
  classifier.classify(*item);
  EXPECT_EQ(MemoryStore::Inspect(item)->saves, 0);
}

}  // namespace
}  // namespace skerrow
