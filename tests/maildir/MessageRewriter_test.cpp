#include "host/maildir/MessageRewriter.h"

#include <gtest/gtest.h>

#include <string>

#include "host/maildir/MessageReader.h"
#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

std::string Crlf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Rewrite(std::string_view raw, MessageEdits edits) {
  auto result = MessageRewriter::Apply(raw, edits);
  EXPECT_TRUE(result.ok()) << std::hex << result.status;
  return result.value;
}

// True when no line of the text ends in a bare LF (every one is CRLF).
bool AllCrlf(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

const char kSimple[] =
    "Return-Path: <a@x>\n"
    "From: Anna <a@x>\n"
    "Subject: Hello\n"
    "X-Custom:  kept   as is \n"
    "\n"
    "Body line\n";

// Subject ---------------------------------------------------------------

TEST(MessageRewriterSubject, ReplacesOnlyTheSubjectField) {
  const std::string out = Rewrite(kSimple, {u"<*5*>Hello", std::nullopt});
  EXPECT_EQ(out,
            "Return-Path: <a@x>\nFrom: Anna <a@x>\nSubject: <*5*>Hello\n"
            "X-Custom:  kept   as is \n\nBody line\n");
}

TEST(MessageRewriterSubject, KeepsCrlfLineEndings) {
  const std::string out = Rewrite(Crlf(kSimple), {u"<*5*>Hello", std::nullopt});
  EXPECT_EQ(out, Crlf("Return-Path: <a@x>\nFrom: Anna <a@x>\nSubject: <*5*>Hello\n"
                      "X-Custom:  kept   as is \n\nBody line\n"));
}

TEST(MessageRewriterSubject, EncodesANonAsciiSubjectThatReadsBackTheSame) {
  const std::u16string subject =
      u"_<*1*>[Bayes 0.973  ]\u041f\u0440\u0438\u0432\u0435\u0442 \u20ac \U0001F600 and a long "
      u"tail that needs more than one encoded word to hold all of it";
  for (const std::string& raw : {std::string(kSimple), Crlf(kSimple)}) {
    const std::string out = Rewrite(raw, {subject, std::nullopt});
    EXPECT_EQ(MessageReader::ReadSummary(out).subject, subject);
    EXPECT_EQ(out.find("\xD0"), std::string::npos) << "no raw 8-bit bytes in the header";
    if (raw.find('\r') != std::string::npos) {
      EXPECT_TRUE(AllCrlf(out)) << out;
    }
    EXPECT_NE(out.find("X-Custom:  kept   as is "), std::string::npos);
  }
}

TEST(MessageRewriterSubject, ReplacesAFoldedSubjectWhole) {
  const std::string out =
      Rewrite("Subject: =?utf-8?B?YWI=?=\n =?utf-8?B?Y2Q=?=\nTo: b@y\n\nx\n", {u"new", {}});
  EXPECT_EQ(out, "Subject: new\nTo: b@y\n\nx\n");
}

TEST(MessageRewriterSubject, AddsASubjectWhereThereWasNone) {
  EXPECT_EQ(Rewrite("From: a@x\n\nbody\n", {u"<*3*>", {}}), "From: a@x\nSubject: <*3*>\n\nbody\n");
  EXPECT_EQ(Rewrite(Crlf("From: a@x\n\nbody\n"), {u"<*3*>", {}}),
            Crlf("From: a@x\nSubject: <*3*>\n\nbody\n"));
  // A header that ends the file without a line break.
  EXPECT_EQ(Rewrite("From: a@x", {u"<*3*>", {}}), "From: a@x\nSubject: <*3*>\n");
  // Data without a header block gets one in front of the old text.
  const std::string out = Rewrite("no headers here\n", {u"<*3*>", {}});
  EXPECT_EQ(out, "Subject: <*3*>\n\nno headers here\n");
  EXPECT_EQ(MessageReader::ReadBodies(out).body, u"no headers here\n");
}

// The MIME parser takes bytes outside ASCII in a field name; were the header
// thought to end there, the subject would go in front and the whole header
// would become body text.
TEST(MessageRewriterSubject, TakesAFieldNameWithBytesOutsideAsciiAsPartOfTheHeader) {
  const std::string raw = "Fr\x92om: a@x\nX-\x7f: 1\nContent-Type: text/plain\n\nbody\n";
  const std::string out = Rewrite(raw, {u"<*3*>", {}});
  EXPECT_EQ(out, "Fr\x92om: a@x\nX-\x7f: 1\nContent-Type: text/plain\nSubject: <*3*>\n\nbody\n");
  EXPECT_EQ(MessageReader::ReadBodies(out).body, u"body\n");
}

TEST(MessageRewriterSubject, KeepsAFieldNamesOwnSpelling) {
  EXPECT_EQ(Rewrite("SUBJECT: a\n\n", {u"b", {}}), "SUBJECT: b\n\n");
}

// HTML body -------------------------------------------------------------

const char kMixed[] =
    "From: a@x\n"
    "Subject: html\n"
    "Content-Type: multipart/mixed; boundary=\"outer\"\n"
    "\n"
    "preamble stays\n"
    "--outer\n"
    "Content-Type: multipart/alternative; boundary=\"inner\"\n"
    "\n"
    "--inner\n"
    "Content-Type: text/plain; charset=utf-8\n"
    "\n"
    "plain stays\n"
    "--inner\n"
    "Content-Type: text/html; charset=\"iso-8859-1\"\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "X-Part-Header: kept\n"
    "\n"
    "<p>caf=E9</p><script>bad()</script>\n"
    "--inner--\n"
    "--outer\n"
    "Content-Type: application/octet-stream; name=\"a.bin\"\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "AAEC/w==\n"
    "--outer--\n"
    "epilogue stays\n";

std::string Without(std::string text, std::string_view piece) {
  const std::size_t at = text.find(piece);
  if (at != std::string::npos) text.erase(at, piece.size());
  return text;
}

TEST(MessageRewriterHtml, ReplacesOnlyTheHtmlContentInItsOwnCharsetAndEncoding) {
  const std::u16string html = u"<p>caf\u00e9 \u20ac \u4f60</p>";
  const std::string out = Rewrite(kMixed, {std::nullopt, html});
  // Latin-1 has no euro or Chinese: character references, still QP.
  EXPECT_NE(out.find("<p>caf=E9 &#8364; &#20320;</p>\n--inner--"), std::string::npos) << out;
  EXPECT_EQ(Without(out, "<p>caf=E9 &#8364; &#20320;</p>"),
            Without(kMixed, "<p>caf=E9</p><script>bad()</script>"));
  const MessageBodies bodies = MessageReader::ReadBodies(out);
  EXPECT_EQ(bodies.htmlBody, u"<p>caf\u00e9 &#8364; &#20320;</p>");
  EXPECT_EQ(bodies.body, u"plain stays");
  EXPECT_EQ(bodies.attachmentNames, std::vector<std::u16string>{u"a.bin"});
}

TEST(MessageRewriterHtml, KeepsCrlfThroughoutTheRewrittenFile) {
  const std::string raw = Crlf(kMixed);
  const std::string out = Rewrite(raw, {u"new subject", u"<p>one</p>\n<p>two</p>"});
  EXPECT_TRUE(AllCrlf(out)) << out;
  const MessageBodies bodies = MessageReader::ReadBodies(out);
  EXPECT_EQ(bodies.htmlBody, u"<p>one</p>\r\n<p>two</p>");
  EXPECT_EQ(MessageReader::ReadSummary(out).subject, u"new subject");
  EXPECT_NE(out.find("preamble stays\r\n"), std::string::npos);
  EXPECT_NE(out.find("epilogue stays\r\n"), std::string::npos);
}

struct EncodingCase {
  const char* name;
  const char* partHeaders;  // charset and encoding lines of the html part
  const char16_t* html;
  const char* expectedEncoding;  // the part's transfer encoding afterwards
};

class HtmlTransferEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(HtmlTransferEncoding, ReadsBackAndStaysAValidMultipart) {
  const EncodingCase& c = GetParam();
  const std::string raw = std::string(
                              "Subject: s\nContent-Type: multipart/alternative; boundary=bnd\n\n"
                              "--bnd\nContent-Type: text/plain\n\nplain\n"
                              "--bnd\nContent-Type: text/html") +
                          c.partHeaders + "\n<p>old</p>\n--bnd--\n";
  const std::string out = Rewrite(raw, {std::nullopt, c.html});
  const MessageBodies bodies = MessageReader::ReadBodies(out);
  EXPECT_EQ(bodies.htmlBody, c.html) << out;
  EXPECT_EQ(bodies.body, u"plain") << out;
  EXPECT_NE(out.find(std::string("Content-Transfer-Encoding: ") + c.expectedEncoding),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("Content-Transfer-Encoding", out.find("Content-Transfer-Encoding") + 1),
            std::string::npos)
      << "one encoding field only: " << out;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, HtmlTransferEncoding,
    testing::Values(
        EncodingCase{"keeps base64", "; charset=utf-8\nContent-Transfer-Encoding: base64\n",
                     u"<p>\u00e9</p>", "base64"},
        EncodingCase{"keeps 8bit", "; charset=utf-8\nContent-Transfer-Encoding: 8bit\n",
                     u"<p>\u00e9</p>\n", "8bit"},
        // 8-bit bytes cannot stay in a 7bit part: it becomes base64.
        EncodingCase{"7bit to base64", "; charset=utf-8\nContent-Transfer-Encoding: 7bit\n",
                     u"<p>\u00e9</p>", "base64"},
        EncodingCase{"no field to base64", "; charset=utf-8\n", u"<p>\u00e9</p>", "base64"},
        // A line that would end the part early forces base64.
        EncodingCase{"boundary in 8bit", "; charset=utf-8\nContent-Transfer-Encoding: 8bit\n",
                     u"<p>x</p>\n--bnd--\n<p>y</p>", "base64"},
        EncodingCase{"uuencode replaced", "\nContent-Transfer-Encoding: x-uuencode\n", u"<p>x</p>",
                     "base64"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.name, info.index);
    });

TEST(MessageRewriterHtml, RewritesASinglePartHtmlMessage) {
  const std::string raw =
      "Subject: s\nContent-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: 7bit\n\n"
      "<p>old</p>\n";
  const std::string out = Rewrite(raw, {u"\u00e9 subject", u"<p>\u00e9</p>"});
  const MessageBodies bodies = MessageReader::ReadBodies(out);
  EXPECT_EQ(bodies.htmlBody, u"<p>\u00e9</p>");
  EXPECT_EQ(MessageReader::ReadSummary(out).subject, u"\u00e9 subject");
  EXPECT_NE(out.find("Content-Transfer-Encoding: base64"), std::string::npos);
}

TEST(MessageRewriterHtml, WritesAPartWithoutCharsetBackTheWayItWasRead) {
  // Read as windows-1252 (not UTF-8): written back in windows-1252.
  const std::string raw = "Subject: s\nContent-Type: text/html\n\n<p>\x93old\x94</p>\n";
  const std::string out = Rewrite(raw, {std::nullopt, u"<p>\u201cnew\u201d</p>\n"});
  EXPECT_EQ(MessageReader::ReadBodies(out).htmlBody, u"<p>\u201cnew\u201d</p>\n");
  // 8-bit bytes under no encoding field: base64 now, of 93 6E 65 77 94 3C.
  EXPECT_NE(out.find("k25ld5Q8"), std::string::npos) << out;
}

TEST(MessageRewriterHtml, WritesIntoAPartWhoseHeaderRunsStraightIntoTheDelimiter) {
  const std::string raw =
      "Subject: s\nContent-Type: multipart/alternative; boundary=b\n\n"
      "--b\nContent-Type: text/plain\n\nplain\n--b\nContent-Type: text/html\n--b--\n";
  const std::string out = Rewrite(raw, {std::nullopt, u"<p>new</p>"});
  const MessageBodies bodies = MessageReader::ReadBodies(out);
  EXPECT_EQ(bodies.htmlBody, u"<p>new</p>") << out;
  EXPECT_EQ(bodies.body, u"plain");
  EXPECT_NE(out.find("\n--b--\n"), std::string::npos) << "the delimiter stays on its own line";
}

TEST(MessageRewriterHtml, WritesPastALineThatOnlyBeginsLikeTheDelimiter) {
  // The MIME reader skips "--b-x" in a header as a line that is no field:
  // only "--b" (or "--b--") with nothing but blanks after it ends the header.
  const std::string raw =
      "Subject: s\nContent-Type: multipart/alternative; boundary=b\n\n"
      "--b\nContent-Type: text/html\n--b-x\n--b--\n";
  const std::string out = Rewrite(raw, {std::nullopt, u"<p>new</p>"});
  EXPECT_EQ(MessageReader::ReadBodies(out).htmlBody, u"<p>new</p>") << out;
}

TEST(MessageRewriterHtml, DeclaresBase64InEveryEncodingFieldOfAHeaderThatRunsPastJunk) {
  // A line that is no field ends the header for the store's scan, but the
  // MIME reader reads on and keeps the last encoding field: both must say
  // base64 once non-ASCII content is written.
  const std::string raw =
      "Subject: s\nContent-Type: text/plain\nContent-Transfer-Encoding: 7bit\n"
      "not a field\nContent-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: 7bit\n\n"
      "<p>old</p>\n";
  const std::string out = Rewrite(raw, {std::nullopt, u"<p>\u00e9</p>"});
  EXPECT_EQ(MessageReader::ReadBodies(out).htmlBody, u"<p>\u00e9</p>") << out;
  EXPECT_EQ(out.find("7bit"), std::string::npos) << out;
}

TEST(MessageRewriterHtml, RefusesAMessageWithoutHtmlPart) {
  auto result = MessageRewriter::Apply("Subject: s\n\nplain\n", {std::nullopt, u"<p>x</p>"});
  EXPECT_EQ(result.status, hr::kNotImpl);
}

}  // namespace
}  // namespace skerrow::maildir
