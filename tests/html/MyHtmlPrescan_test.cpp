#include "platform/linux/MyHtmlPrescan.h"

#include <gtest/gtest.h>

#include <string>

namespace skerrow {
namespace {

std::string Repeat(std::string_view part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

std::string WithoutMarkers(std::string text) {
  for (std::string_view marker : {kMyHtmlMarker, std::string_view("<!--\x01sk-->")}) {
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker)) {
      text.erase(at, marker.size());
    }
  }
  return text;
}

TEST(MyHtmlPrescanTest, KeepsTheTextApartFromMarkersBelowTheBudget) {
  std::string html = Repeat("<p>one <b>two</b> three</p>\n", 50);
  MyHtmlPrescanResult result = PrescanForParsing(html);
  EXPECT_FALSE(result.truncated);
  EXPECT_NE(result.text, html);
  EXPECT_EQ(WithoutMarkers(result.text), html);
}

TEST(MyHtmlPrescanTest, PutsNoMarkerIntoRawTextOrComments) {
  std::string script = "<script>" + Repeat("if (a < b) { x(); }</b>y\n", 20) + "</script>";
  std::string comment = "<!--" + Repeat("</x>text ", 20) + "-->";
  std::string title = "<title>" + Repeat("</i>t ", 20) + "</title>";
  std::string plain = "<plaintext>" + Repeat("</x>after ", 20);
  for (const std::string& html : {script, comment, title, plain}) {
    EXPECT_EQ(PrescanForParsing(html).text, html);
  }
}

TEST(MyHtmlPrescanTest, CutsBeforeTheTagThatWouldPassTheBudget) {
  MyHtmlPrescanResult result = PrescanForParsing("<p>a</p><p>b</p>", 2500);
  EXPECT_TRUE(result.truncated);
  EXPECT_EQ(WithoutMarkers(result.text), "<p>a</p>");
}

TEST(MyHtmlPrescanTest, NestingReachesTheBudgetWhereTheSameTagsSideBySideDoNot) {
  EXPECT_TRUE(PrescanForParsing(Repeat("<div>", 10000)).truncated);
  EXPECT_TRUE(PrescanForParsing(Repeat("<ul>", 10000)).truncated);
  EXPECT_FALSE(PrescanForParsing(Repeat("<div></div>", 10000)).truncated);
}

TEST(MyHtmlPrescanTest, ElementsClosedInsideTheirParentCountAsCopiesWhenReopened) {
  std::string reopened;
  std::string closed;
  for (int i = 0; i < 300; ++i) {
    reopened += "<div><b id=" + std::to_string(i) + "></div>";
    closed += "<div><b id=" + std::to_string(i) + "></b></div>";
  }
  EXPECT_GT(PrescanForParsing(reopened).work, 10 * PrescanForParsing(closed).work);
}

TEST(MyHtmlPrescanTest, TagsThatCloseTheirSiblingsDoNotDeepen) {
  std::uint64_t paragraphs = PrescanForParsing(Repeat("<p>text", 5000)).work;
  std::uint64_t items = PrescanForParsing(Repeat("<li>text", 5000)).work;
  std::uint64_t divs = PrescanForParsing(Repeat("<div>text", 5000)).work;
  EXPECT_LT(paragraphs * 4, divs);
  EXPECT_LT(items * 4, divs);
}

TEST(MyHtmlPrescanTest, StrayEndTagsDoNotHideTheDepth) {
  // An end tag that matches nothing open, or whose element lies below a
  // block, closes nothing in the parser.
  EXPECT_TRUE(PrescanForParsing(Repeat("<div></x>", 10000)).truncated);
  EXPECT_TRUE(PrescanForParsing(Repeat("<x><div></x>", 10000)).truncated);
  EXPECT_TRUE(PrescanForParsing(Repeat("<div><body></body></html>", 10000)).truncated);
  EXPECT_FALSE(PrescanForParsing(Repeat("<div></div>", 10000)).truncated);
}

TEST(MyHtmlPrescanTest, OrdinaryMailStaysFarBelowTheBudget) {
  std::string mail = "<html><body><table>" +
                     Repeat(
                         "<tr><td style=\"font-size:14px\"><p>Some text <a href=\"x\">link</a> "
                         "and <font color=red>more</font></p><img src=\"y\"></td></tr>\n",
                         400) +
                     "</table></body></html>";
  MyHtmlPrescanResult result = PrescanForParsing(mail);
  EXPECT_FALSE(result.truncated);
  EXPECT_LT(result.work, kMyHtmlWorkBudget / 4);
}

}  // namespace
}  // namespace skerrow
