#include "host/maildir/MessageReader.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Utf8.h"
#include "tests/support/AllocationMeter.h"
#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// Headers ---------------------------------------------------------------

TEST(MessageReaderHeaders, DecodesTheSubjectTheWayTheSenderWroteIt) {
  const MessageSummary summary = MessageReader::ReadSummary(
      "From: a@x\nSubject: =?utf-8?B?YWI=?= =?utf-8?B?Y2Q=?=\n =?iso-8859-1?Q?_caf=E9?=\n\nbody\n");
  EXPECT_EQ(summary.subject, u"abcd caf\u00e9");
}

TEST(MessageReaderHeaders, TakesTheSenderNameOrElseTheAddress) {
  EXPECT_EQ(MessageReader::ReadSummary("From: \"Hale, Robin\" <r@x>\n\n").senderName,
            u"Hale, Robin");
  EXPECT_EQ(MessageReader::ReadSummary("From: r@x\n\n").senderName, u"r@x");
  EXPECT_EQ(MessageReader::ReadSummary("Subject: none\n\n").senderName, u"");
}

TEST(MessageReaderHeaders, ListsToNamesAndEveryRecipientAddress) {
  const MessageSummary summary = MessageReader::ReadSummary(
      "To: Anna <anna@x>, bob@y\nCc: Carl <carl@z>\nBcc: dora@w\nTo: late@v\n\n");
  EXPECT_EQ(summary.to, u"Anna; bob@y; late@v");
  EXPECT_EQ(summary.recipients,
            (std::vector<std::u16string>{u"anna@x", u"bob@y", u"late@v", u"carl@z", u"dora@w"}));
}

struct TimeCase {
  const char* headers;
  std::optional<std::time_t> expected;
};

class ReceivedTime : public testing::TestWithParam<TimeCase> {};

TEST_P(ReceivedTime, ComesFromTheNewestReceivedElseTheDate) {
  EXPECT_EQ(MessageReader::ReadSummary(GetParam().headers).headerTime, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ReceivedTime,
    testing::Values(
        // The first Received field is the newest.
        TimeCase{"Received: from a by b; Tue, 08 Dec 2026 10:00:05 +0000\n"
                 "Received: from c by a; Tue, 08 Dec 2026 09:00:00 +0000\n"
                 "Date: Mon, 07 Dec 2026 08:00:00 +0000\n\n",
                 1796724005},
        // Folded, with a zone offset.
        TimeCase{"Received: from a\n by b with SMTP id x;\n Tue, 8 Dec 2026 11:00:05 +0100\n\n",
                 1796724005},
        // A Received without a readable date gives way to the next one.
        TimeCase{"Received: from a by b\nReceived: by c; Tue, 08 Dec 2026 10:00:05 GMT\n\n",
                 1796724005},
        TimeCase{"Date: Tue, 08 Dec 2026 10:00:05 +0000\n\n", 1796724005},
        TimeCase{"Date: not a date at all\n\n", std::nullopt},
        TimeCase{"Subject: no dates\n\n", std::nullopt}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.headers, info.index);
    });

struct FlagCase {
  const char* headers;
  std::int32_t importance;
  std::int32_t sensitivity;
};

class ImportanceAndSensitivity : public testing::TestWithParam<FlagCase> {};

TEST_P(ImportanceAndSensitivity, FollowTheirHeaders) {
  const MessageSummary summary = MessageReader::ReadSummary(GetParam().headers);
  EXPECT_EQ(summary.importance, GetParam().importance) << GetParam().headers;
  EXPECT_EQ(summary.sensitivity, GetParam().sensitivity) << GetParam().headers;
}

INSTANTIATE_TEST_SUITE_P(Headers, ImportanceAndSensitivity,
                         testing::Values(FlagCase{"Subject: x\n\n", 1, 0},
                                         FlagCase{"Importance: High\n\n", 2, 0},
                                         FlagCase{"Importance: low\n\n", 0, 0},
                                         FlagCase{"Importance: normal\nX-Priority: 1\n\n", 1, 0},
                                         FlagCase{"X-Priority: 1 (Highest)\n\n", 2, 0},
                                         FlagCase{"X-Priority: 2\n\n", 2, 0},
                                         FlagCase{"X-Priority: 3\n\n", 1, 0},
                                         FlagCase{"X-Priority: 5 (Lowest)\n\n", 0, 0},
                                         FlagCase{"Importance: bogus\nX-Priority: 4\n\n", 0, 0},
                                         FlagCase{"Sensitivity: Personal\n\n", 1, 1},
                                         FlagCase{"Sensitivity: private\n\n", 1, 2},
                                         FlagCase{"Sensitivity: Company-Confidential\n\n", 1, 3},
                                         FlagCase{"Sensitivity: secret\n\n", 1, 0}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p.headers, info.index);
                         });

TEST(MessageReaderHeaders, ReadsOnlyTheHeaderBlock) {
  const MessageSummary summary =
      MessageReader::ReadSummary("Subject: real\n\nSubject: in the body\nImportance: high\n");
  EXPECT_EQ(summary.subject, u"real");
  EXPECT_EQ(summary.importance, 1);
}

// Bodies ----------------------------------------------------------------

const char kAlternative[] =
    "From: a@x\n"
    "Content-Type: multipart/alternative; boundary=\"b1\"\n"
    "\n"
    "preamble\n"
    "--b1\n"
    "Content-Type: text/plain; charset=iso-8859-1\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "\n"
    "caf=E9 =\n"
    "cr=E8me\n"
    "--b1\n"
    "Content-Type: text/html; charset=utf-8\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "PHA+Y2Fmw6k8L3A+\n"
    "--b1--\n";

TEST(MessageReaderBodies, DecodesPlainAndHtmlFromTheirEncodingsAndCharsets) {
  for (const std::string& raw : {std::string(kAlternative), Crlf(kAlternative)}) {
    const MessageBodies bodies = MessageReader::ReadBodies(raw);
    EXPECT_EQ(bodies.body, u"caf\u00e9 cr\u00e8me");
    EXPECT_EQ(bodies.htmlBody, u"<p>caf\u00e9</p>");
    EXPECT_TRUE(bodies.hasHtmlPart);
    EXPECT_TRUE(bodies.attachmentNames.empty());
  }
}

TEST(MessageReaderBodies, GivesAnEmptyHtmlBodyWithoutAnHtmlPart) {
  const MessageBodies bodies = MessageReader::ReadBodies("Subject: x\n\nJust text.\n");
  EXPECT_EQ(bodies.body, u"Just text.\n");
  EXPECT_EQ(bodies.htmlBody, u"");
  EXPECT_FALSE(bodies.hasHtmlPart);
}

TEST(MessageReaderBodies, ReadsAPartWithoutCharsetAsUtf8OrWindows1252) {
  EXPECT_EQ(MessageReader::ReadBodies("Subject: x\n\ncaf\xC3\xA9\n").body, u"caf\u00e9\n");
  EXPECT_EQ(MessageReader::ReadBodies("Subject: x\n\n\x93quoted\x94 \x81\x8D\x8F\x90\x9D\n").body,
            u"\u201cquoted\u201d \u0081\u008d\u008f\u0090\u009d\n");
}

TEST(MessageReaderBodies, NamesEveryPartThatCarriesAFileName) {
  const MessageBodies bodies = MessageReader::ReadBodies(
      "Content-Type: multipart/mixed; boundary=m\n\n"
      "--m\nContent-Type: text/plain\n\nbody\n"
      "--m\nContent-Type: application/pdf\n"
      "Content-Disposition: attachment;\n filename*0*=utf-8''r%C3%A9sum;\n filename*1=\"e.pdf\"\n\n"
      "x\n"
      "--m\nContent-Type: application/octet-stream; name=\"=?utf-8?B?YWI=?= "
      "=?utf-8?B?Y2Q=?=.exe\"\n"
      "\nx\n"
      "--m\nContent-Type: text/plain\nContent-Disposition: attachment; filename=notes.txt\n\n"
      "not the body\n"
      "--m\nContent-Type: message/rfc822; name=fwd.eml\n\nSubject: inner\n\ninner body\n"
      "--m--\n");
  EXPECT_EQ(bodies.body, u"body");
  EXPECT_EQ(bodies.attachmentNames, (std::vector<std::u16string>{u"r\u00e9sume.pdf", u"abcd.exe",
                                                                 u"notes.txt", u"fwd.eml"}));
}

// A large message's texts are read from the file in pieces; wherever the
// pieces are cut, the text is the one ReadBodies decodes from the whole.
struct PiecesCase {
  const char* contentType;
  const char* encoding;
  std::string content;
};

class MessageReaderPieces : public testing::TestWithParam<PiecesCase> {};

TEST_P(MessageReaderPieces, DecodeAsTheWholeWhereverThePiecesAreCut) {
  const PiecesCase& c = GetParam();
  const std::string raw = std::string("Subject: x\nContent-Type: ") + c.contentType +
                          "\nContent-Transfer-Encoding: " + c.encoding + "\n\n" + c.content;
  const std::u16string whole = MessageReader::ReadBodies(raw).body;
  const MessageBodies located = MessageReader::LocateBodies(raw);
  ASSERT_TRUE(located.textsLocated && located.plainPart);
  const MimePart& part = *located.plainPart;
  const std::string_view content =
      std::string_view(raw).substr(part.contentStart, part.contentEnd - part.contentStart);
  for (std::size_t pieceSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5},
                                std::size_t{9}, content.size() + 1}) {
    const auto text = MessageReader::ReadText(part, [&](const auto& take) {
      for (std::size_t at = 0; at < content.size(); at += pieceSize) {
        take(content.substr(at, pieceSize));
      }
      return true;
    });
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, whole) << "pieces of " << pieceSize;
  }
  EXPECT_FALSE(MessageReader::ReadText(part, [](const auto&) { return false; }).has_value());
}

// The text is made at the size of the content and kept there: a body of
// characters the converter gives as two UTF-8 bytes each was grown to twice
// its size near its end (200 MB for a 50 MB koi8-r body).
TEST(MessageReaderBodies, ReadsABodyInPiecesWithinTheRoomOfItsContent) {
  const std::string content(100000, '\xC4');
  const std::string raw = "Subject: x\nContent-Type: text/plain; charset=koi8-r\n\n" + content;
  const MessageBodies located = MessageReader::LocateBodies(raw);
  ASSERT_TRUE(located.plainPart);
  const auto text = MessageReader::ReadText(*located.plainPart, [&](const auto& take) {
    for (std::size_t at = 0; at < content.size(); at += 4096) take(content.substr(at, 4096));
    return true;
  });
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->size(), content.size());
  EXPECT_LE(text->capacity(), content.size() + 16);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MessageReaderPieces,
    testing::Values(
        // Sequences of two, three and four bytes at every offset of a word.
        PiecesCase{"text/plain", "8bit",
                   "caf\xC3\xA9 au lait, 5 \xE2\x82\xAC, smile \xF0\x9F\x98\x80 and more "
                   "text after it\xC3\xA9\xC3\xA9\xC3\xA9\xE2\x82\xAC"},
        // Non-ASCII bytes alone at each place of a word of eight.
        PiecesCase{"text/plain; charset=utf-8", "8bit",
                   "12345678\x93"
                   "abcdefg 1234567\x94 123456\x80"},
        // UTF-8 up to its last byte: the whole text is windows-1252.
        PiecesCase{"text/plain", "8bit", "caf\xC3\xA9 and a long run of plain words \xE9"},
        // Malformed sequences, a cut one and stray continuation bytes.
        PiecesCase{"text/plain; charset=utf-8", "8bit",
                   "a\xE2\x82 b\x80\x80\x80\x80\x80 c\xF0\x9F\x98 d\xFF\xC3"},
        PiecesCase{"text/plain; charset=windows-1252", "8bit", "\x93quoted\x94 \x80 text"},
        PiecesCase{"text/plain; charset=koi8-r", "8bit", "\xF7\xD9\xC7\xCF\xC4\xCE\xCF\xC5"},
        // Characters of two bytes, a malformed one, one cut by the end.
        PiecesCase{"text/plain; charset=gb2312", "8bit",
                   "\xC4\xE3\xBA\xC3 \xC4\xE3\xFF\xBA\xC3\xC4"},
        // A charset with shift states.
        PiecesCase{"text/plain; charset=iso-2022-jp", "7bit",
                   "a\x1B$B$3$s$K$A$O\x1B(B b \x1B$B$\"\x1B(B"},
        PiecesCase{"text/plain; charset=x-martian", "8bit", "caf\xC3\xA9 \xE9"},
        PiecesCase{"text/plain; charset=utf-8", "base64", "Y2Fmw6kgY3LDqG1l\n"},
        PiecesCase{"text/plain; charset=iso-8859-1", "quoted-printable", "caf=E9 =\ncr=E8me\n"}),
    [](const auto& info) { return CaseName(info.param.content, info.index); });

// Hostile input: read what can be read, never crash.

TEST(MessageReaderHostile, ReadsDataThatIsNotMimeAtAllAsText) {
  const MessageBodies bodies = MessageReader::ReadBodies("just some text\nwithout headers\n");
  EXPECT_EQ(bodies.body, u"just some text\nwithout headers\n");
  const MessageSummary summary = MessageReader::ReadSummary("just some text\n");
  EXPECT_EQ(summary.subject, u"");
}

TEST(MessageReaderHostile, ReadsATruncatedMultipartAsFarAsItGoes) {
  const MessageBodies bodies = MessageReader::ReadBodies(
      "Content-Type: multipart/alternative; boundary=b\n\n--b\nContent-Type: text/plain\n\n"
      "plain\n--b\nContent-Type: text/html\n\n<b>cut off");
  EXPECT_EQ(bodies.body, u"plain");
  EXPECT_EQ(bodies.htmlBody, u"<b>cut off");
}

TEST(MessageReaderHostile, ReadsBadBase64AndQuotedPrintableWithoutFailing) {
  const MessageBodies bodies = MessageReader::ReadBodies(
      "Content-Type: multipart/mixed; boundary=b\n\n"
      "--b\nContent-Type: text/plain\nContent-Transfer-Encoding: quoted-printable\n\n"
      "bad =ZZ escape and = end\n"
      "--b\nContent-Type: text/html\nContent-Transfer-Encoding: base64\n\n"
      "PGI+!!!@@@aGk8L2I+====garbage\n--b--\n");
  EXPECT_NE(bodies.body.find(u"bad"), std::u16string::npos);
  EXPECT_NE(bodies.htmlBody.find(u"<b>"), std::u16string::npos);
}

TEST(MessageReaderHostile, ReadsAnUnknownCharsetAsUtf8OrWindows1252) {
  EXPECT_EQ(MessageReader::ReadBodies("Content-Type: text/plain; charset=x-martian\n\n\xE9\n").body,
            u"\u00e9\n");
}

TEST(MessageReaderHostile, ReadsNulBytesInASubjectAndAMegabyteHeaderLine) {
  std::string raw("Subject: a\0b\0c\n", 15);
  raw += "X-Long: " + std::string(1 << 20, 'x') + "\n";
  raw += "From: Long <l@x>\n\nbody\n";
  const MessageSummary summary = MessageReader::ReadSummary(raw);
  EXPECT_EQ(summary.subject, u"abc");
  EXPECT_EQ(summary.senderName, u"Long");
  EXPECT_EQ(MessageReader::ReadBodies(raw).body, u"body\n");
}

TEST(MessageReaderHostile, ReadsADeeplyNestedMultipartWithoutRunningOutOfStack) {
  std::string raw = "Content-Type: multipart/mixed; boundary=b0\n\n";
  const int depth = 500;
  for (int i = 0; i < depth; ++i) {
    raw += "--b" + std::to_string(i) + "\nContent-Type: multipart/mixed; boundary=b" +
           std::to_string(i + 1) + "\n\n";
  }
  raw += "--b" + std::to_string(depth) + "\nContent-Type: text/plain\n\ndeep\n";
  const MessageBodies bodies = MessageReader::ReadBodies(raw);
  (void)bodies;  // whatever GMime makes of it: no crash
}

TEST(MessageReaderHostile, ReadsAFiftyMegabyteMessage) {
  std::string raw = "Subject: big\nContent-Type: text/plain\n\n";
  raw.reserve(raw.size() + (50u << 20));
  const std::string line(99, 'a');
  while (raw.size() < (50u << 20)) raw += line + "\n";
  const MessageBodies bodies = MessageReader::ReadBodies(raw);
  EXPECT_GE(bodies.body.size(), (50u << 20) - 100);
}

// Only the first 2,000 parts are looked at (the multipart is the first).
TEST(MessageReaderHostile, NamesThePartsWithinTheBoundOfAMessageOfManyParts) {
  std::string raw = "Content-Type: multipart/mixed; boundary=b\n\n";
  for (int i = 0; i < 5000; ++i) {
    raw += "--b\nContent-Type: text/plain; name=n" + std::to_string(i) + ".txt\n\n" +
           std::to_string(i) + "\n";
  }
  raw += "--b--\n";
  const MessageBodies bodies = MessageReader::ReadBodies(raw);
  ASSERT_EQ(bodies.attachmentNames.size(), 1999u);
  EXPECT_EQ(bodies.attachmentNames.back(), u"n1998.txt");
}

// The parts inside an attached message count towards the bound too.
TEST(MessageReaderHostile, CountsThePartsOfAnAttachedMessageTowardsTheBound) {
  std::string inner = "Subject: inner\nContent-Type: multipart/mixed; boundary=c\n\n";
  for (int i = 0; i < 3000; ++i) inner += "--c\nContent-Type: text/plain\n\ninner\n";
  inner += "--c--\n";
  const MessageBodies bodies = MessageReader::ReadBodies(
      "Content-Type: multipart/mixed; boundary=b\n\n"
      "--b\nContent-Type: text/plain; name=before.txt\n\nx\n"
      "--b\nContent-Type: message/rfc822; name=fwd.eml\n\n" +
      inner + "--b\nContent-Type: text/plain; name=after.txt\n\ny\n--b--\n");
  EXPECT_EQ(bodies.attachmentNames, (std::vector<std::u16string>{u"before.txt", u"fwd.eml"}));
}

// Lines that begin like delimiters but are none do not cut a part short.
TEST(MessageReaderHostile, ReadsABodyOfManyDashedLinesWhole) {
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += "-- line " + std::to_string(i) + "\n";
  const MessageBodies bodies = MessageReader::ReadBodies(
      "Content-Type: multipart/alternative; boundary=b\n\n--b\nContent-Type: text/plain\n\n" +
      lines + "--b\nContent-Type: text/html\n\n<p>after</p>\n--b--\n");
  EXPECT_EQ(bodies.body + u"\n", Utf8ToUtf16(lines));
  EXPECT_EQ(bodies.htmlBody, u"<p>after</p>");
}

// Every part used to carry a copy of every boundary around it: memory grew
// with parts times depth times boundary length.
TEST(MessageReaderHostile, ReadsManyPartsDeepInsideLongBoundariesInMemoryOfTheMessagesOrder) {
  const std::string pad(60, 'b');
  std::string raw = "Content-Type: multipart/mixed; boundary=" + pad + "0\n\n";
  constexpr int kDepth = 150;
  for (int i = 0; i < kDepth; ++i) {
    raw += "--" + pad + std::to_string(i) + "\nContent-Type: multipart/mixed; boundary=" + pad +
           std::to_string(i + 1) + "\n\n";
  }
  const std::string delimiter = "--" + pad + std::to_string(kDepth) + "\n";
  for (int i = 0; i < 3000; ++i) raw += delimiter + "\nleaf part " + std::to_string(i) + "\n";
  raw += "--" + pad + std::to_string(kDepth) + "--\n";

  AllocationMeter meter;
  const MessageBodies bodies = MessageReader::ReadBodies(raw);
  EXPECT_EQ(bodies.body, u"leaf part 0");
  EXPECT_LT(meter.PeakBytes(), 3 * raw.size());
}

}  // namespace
}  // namespace skerrow::maildir
