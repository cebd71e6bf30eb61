#include "platform/linux/MyHtmlEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Utf8.h"
#include "platform/linux/MyHtmlStyle.h"

namespace skerrow {
namespace {

std::string Narrow(const std::u16string& text) {
  return Utf16ToUtf8(text);
}

class MyHtmlEngineTest : public ::testing::Test {
 protected:
  HResult Parse(std::string_view html) { return ParseWide(Utf8ToUtf16(html)); }
  HResult ParseWide(const std::u16string& html) {
    document = std::move(engine.CreateDocument().value);
    return document->Parse(html);
  }
  std::vector<std::string> Names(HtmlCollectionKind kind = HtmlCollectionKind::All) {
    std::vector<std::string> names;
    HtmlCollection* collection = document->Collection(kind).value;
    for (std::size_t i = 0; i < collection->Length().value; ++i) {
      names.push_back(Narrow(collection->Item(i).value->TagName().value));
    }
    return names;
  }
  HtmlElement& Element(std::size_t index, HtmlCollectionKind kind = HtmlCollectionKind::All) {
    return *document->Collection(kind).value->Item(index).value;
  }
  std::string BodyText() { return Narrow(document->Body().value->InnerText().value); }
  std::string BodyHtml() { return Narrow(document->Body().value->OuterHtml().value); }

  MyHtmlEngine engine;
  std::unique_ptr<HtmlDocument> document;
};

TEST_F(MyHtmlEngineTest, ElementsComeInDocumentOrderWithUpperCaseNamesLikeABrowser) {
  ASSERT_EQ(Parse("<!DOCTYPE html><p>a<o:p>b</o:p><!-- c --><blink>d</blink><xml>e</xml></p>"),
            hr::kOk);
  EXPECT_EQ(Names(), (std::vector<std::string>{"!", "HTML", "HEAD", "BODY", "P", "O:P", "!",
                                               "BLINK", "XML"}));
}

TEST_F(MyHtmlEngineTest, ImagesAreImgElementsAndLinksAreAnchorsAndAreasWithAnHref) {
  Parse("<img src=a><a name=n>x</a><a href=h1>y</a><map><area href=h2></map><image src=b>");
  EXPECT_EQ(Names(HtmlCollectionKind::Images), (std::vector<std::string>{"IMG", "IMG"}));
  EXPECT_EQ(Names(HtmlCollectionKind::Links), (std::vector<std::string>{"A", "AREA"}));
  EXPECT_EQ(Narrow(Element(1, HtmlCollectionKind::Links).LinkTarget().value), "h2");
}

TEST_F(MyHtmlEngineTest, FacesOfOtherElementsAnswerNoInterface) {
  Parse("<p>x</p>");
  HtmlElement& p = Element(3);
  EXPECT_EQ(p.FontSize().status, hr::kNoInterface);
  EXPECT_EQ(p.ImageWidth().status, hr::kNoInterface);
  EXPECT_EQ(p.SetImageBorder(1), hr::kNoInterface);
  EXPECT_EQ(p.LinkTarget().status, hr::kNoInterface);
}

TEST_F(MyHtmlEngineTest, ImageSizesReadAsTheirLeadingNumberOrZero) {
  Parse("<img width=\" 120px\" height=abc><img>");
  HtmlElement& first = Element(0, HtmlCollectionKind::Images);
  EXPECT_EQ(first.ImageWidth().value, 120);
  EXPECT_EQ(first.ImageHeight().value, 0);
  EXPECT_EQ(Element(1, HtmlCollectionKind::Images).ImageWidth().value, 0);
}

TEST_F(MyHtmlEngineTest, RenderedTextCollapsesBlanksAndKeepsPreformattedText) {
  Parse(
      "<body>  a \n b<pre>x   y\nz</pre><table><tr><td>1</td><td>2</td></tr></table>"
      "<noscript>n</noscript><select><option>o</select>c&nbsp;d</body>");
  EXPECT_EQ(BodyText(),
            "a b\r\nx   y\r\nz\r\n1\t2\r\nc\xC2\xA0"
            "d");
}

TEST_F(MyHtmlEngineTest,
       TheLineBreakRightAfterPreOrListingIsDroppedAndCleaningTwiceChangesNothing) {
  for (const std::string tag : {"pre", "listing"}) {
    SCOPED_TRACE(tag);
    Parse("<" + tag + ">\n<b>abc</b></" + tag + "><" + tag + ">\r\n  <b>d</b></" + tag + ">");
    EXPECT_EQ(BodyText(), "abc\r\n  d");
    const std::string once = BodyHtml();
    Parse(once);
    EXPECT_EQ(BodyHtml(), once);
  }
}

TEST_F(MyHtmlEngineTest, SerializationEscapesTextAndAttributesButNotScripts) {
  Parse(
      "<p title='a\"b&amp;c'>1 &lt; 2 &amp;&nbsp;3</p><script>if (a < b && c) x();</script>"
      "<br><textarea>\nkeep</textarea>");
  EXPECT_EQ(BodyHtml(),
            "<body><p title=\"a&quot;b&amp;c\">1 &lt; 2 &amp;&nbsp;3</p>"
            "<script>if (a < b && c) x();</script><br><textarea>keep</textarea></body>");
}

TEST_F(MyHtmlEngineTest, InnerHtmlIsTextInScriptsAndParsedElsewhere) {
  Parse("<div>old</div><script>old()</script>");
  HtmlElement& div = Element(3);
  HtmlElement& script = Element(4);
  ASSERT_EQ(div.SetInnerHtml(u"<b>new</b> &amp; more"), hr::kOk);
  ASSERT_EQ(script.SetInnerHtml(u"<!-- gone -->"), hr::kOk);
  EXPECT_EQ(BodyHtml(),
            "<body><div><b>new</b> &amp; more</div><script><!-- gone --></script></body>");
}

TEST_F(MyHtmlEngineTest, StyleReadsTheLastDeclarationOfAProperty) {
  EXPECT_EQ(StyleFontSize("font-size: 10pt; FONT-SIZE : 2pt !important"), "2pt");
  EXPECT_EQ(StyleFontSize("font: italic bold 12px/30px Georgia, serif"), "12px");
  EXPECT_EQ(StyleFontSize("font: 700 x-small 'A;B'"), "x-small");
  EXPECT_EQ(StyleFontSize("color: red"), "");
  EXPECT_EQ(StyleColor("background: url(a;b); color:#FFF ; "), "#FFF");
}

TEST_F(MyHtmlEngineTest, StyleCommentsHideNothingButQuotedTextIsNoComment) {
  EXPECT_EQ(StyleFontSize("/*x*/font-size:1px"), "1px");
  EXPECT_EQ(StyleFontSize("font-size:/* 9px; */1px"), "1px");
  EXPECT_EQ(StyleFontSize("font-family:'a/*b'; font-size:2pt"), "2pt");
  EXPECT_EQ(StyleFontSize("font-size:2pt /* unclosed; font-size: 9pt"), "2pt");
}

TEST_F(MyHtmlEngineTest, AReparseReplacesTheDocument) {
  Parse("<p>one</p>");
  document->Parse(u"<i>two</i>");
  EXPECT_EQ(BodyText(), "two");
}

// Hostile texts: none may crash, hang or exhaust memory.

TEST_F(MyHtmlEngineTest, AHundredThousandNestedElementsAreCutAtTheBudget) {
  std::string html;
  for (int i = 0; i < 100000; ++i) html += "<div>";
  EXPECT_EQ(Parse(html + "deep"), hr::kFalse);
  EXPECT_GT(Names().size(), 1000u);
  EXPECT_LT(Names().size(), 100000u);
  EXPECT_FALSE(BodyHtml().empty());
}

TEST_F(MyHtmlEngineTest, ReopenedFormattingElementsCannotMultiply) {
  std::string html;
  for (int i = 0; i < 20000; ++i) html += "<div><b id=" + std::to_string(i) + "></div>";
  EXPECT_EQ(Parse(html), hr::kFalse);
  EXPECT_LT(Names().size(), 200000u);
}

TEST_F(MyHtmlEngineTest, TextsAfterIgnoredTagsJoinIntoOneTextWithoutMarkers) {
  std::string html = "<table>";
  for (int i = 0; i < 30; ++i) html += "</x>w" + std::to_string(i) + " ";
  Parse(html + "</table>");
  std::string text = BodyText();
  EXPECT_EQ(text.find('\x01'), std::string::npos);
  EXPECT_EQ(text.substr(0, 9), "w0 w1 w2 ");
  EXPECT_EQ(Names(), (std::vector<std::string>{"HTML", "HEAD", "BODY", "TABLE"}));
}

TEST_F(MyHtmlEngineTest, AMegabyteAttributeIsKeptWholeAndTenAreCut) {
  std::string source(1 << 20, 'a');
  ASSERT_EQ(Parse("<p>x</p><img src=\"" + source + "\">"), hr::kOk);
  EXPECT_EQ(Element(0, HtmlCollectionKind::Images).ImageSource().value.size(), source.size());
  source.assign(10 << 20, 'a');
  EXPECT_EQ(Parse("<p>x</p><img src=\"" + source + "\">"), hr::kFalse);
  EXPECT_EQ(document->Collection(HtmlCollectionKind::Images).value->Length().value, 0u);
  EXPECT_EQ(BodyText(), "x");
}

TEST_F(MyHtmlEngineTest, NulCharactersAndUnpairedSurrogatesAreHarmless) {
  std::u16string html = u"<p a=\"x";
  html += u'\0';
  html += u"\">b";
  html += u'\0';
  html += u"c";
  html += static_cast<char16_t>(0xD800);
  html += u"d";
  html += static_cast<char16_t>(0xDC00);
  ASSERT_EQ(ParseWide(html), hr::kOk);
  EXPECT_EQ(BodyText(),
            "bc\xEF\xBF\xBD"
            "d\xEF\xBF\xBD");
}

TEST_F(MyHtmlEngineTest, UnterminatedCommentsAndScriptsRunToTheEnd) {
  Parse("<p>a</p><!-- never closed <p>b</p>");
  EXPECT_EQ(BodyText(), "a");
  Parse("<p>a</p><script>if (x < y) { <p>b</p>");
  EXPECT_EQ(BodyText(), "a");
  EXPECT_EQ(Names().back(), "SCRIPT");
}

TEST_F(MyHtmlEngineTest, TheMarkerInsideRawTextIsTakenOutAgain) {
  // The quick scan takes the first closing script tag as the end; the
  // tokenizer, in its escaped state, does not.
  Parse("<body><script><!--<script></script>x</b>y</b>z</b>w</b>v</b>u</script>");
  EXPECT_EQ(Names().back(), "SCRIPT");
  std::string html = BodyHtml();
  EXPECT_EQ(html.find('\x01'), std::string::npos) << html;
}

TEST_F(MyHtmlEngineTest, AnInputThatOnceMadeTheParserCopyOverlappingMemoryParses) {
  // Found by the fuzzer: text after an ignored second html tag was appended
  // to the text before it with an overlapping copy.
  const unsigned char bytes[] = {
      0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
      0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
      0xff, 0xff, 0xff, 0x3d, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
      0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
      0x20, 0x20, 0x20, 0x20, 0x03, 0x3c, 0x68, 0x74, 0x6d, 0x6c, 0x3e, 0xdc, 0x95, 0x65, 0x61,
      0x64, 0x3e, 0x3c, 0x01, 0x3c, 0x61, 0xcf, 0x44, 0x4f, 0x43, 0x54, 0x59, 0x20, 0x50, 0x45,
      0x68, 0x03, 0x3c, 0x68, 0x74, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9,
      0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xa4, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9,
      0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0x41, 0xb5, 0xc9, 0x00, 0xe0, 0x60, 0x00, 0x00, 0xf9,
      0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9, 0xf9,
      0xf9, 0xf9, 0xf9, 0xf9, 0x3e, 0x74};
  std::u16string html(bytes, bytes + sizeof bytes);
  ASSERT_EQ(ParseWide(html), hr::kOk);
  std::string text = BodyText();
  EXPECT_EQ(text.substr(text.size() - 1), "t");
  EXPECT_NE(text.find("\xC3\x9C\xC2\x95"
                      "ead>"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace skerrow
