#include "host/maildir/EncodedWordDecoder.h"

#include <gtest/gtest.h>

#include <string>

#include "host/maildir/EncodedWordEncoder.h"
#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

struct DecodeCase {
  const char* raw;
  const char16_t* expected;
};

class EncodedWordDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(EncodedWordDecoding, GivesTheTextTheSenderMeant) {
  EXPECT_EQ(EncodedWordDecoder::Decode(GetParam().raw), GetParam().expected)
      << "raw: " << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(Headers, EncodedWordDecoding,
                         testing::Values(
                             // A padded base64 word followed by another keeps both halves.
                             DecodeCase{"=?utf-8?B?YWI=?= =?utf-8?B?Y2Q=?=", u"abcd"},
                             DecodeCase{"=?utf-8?B?YWI=?=\r\n =?utf-8?B?Y2Q=?= tail", u"abcd tail"},
                             // A character split across two words survives the join.
                             DecodeCase{"=?utf-8?B?w6k=?= =?utf-8?B?4oKs?=", u"\u00e9\u20ac"},
                             DecodeCase{"=?UTF-8?B?4o==?= =?UTF-8?B?gqw=?=", u"\u20ac"},
                             DecodeCase{"=?iso-8859-1?Q?Caf=E9_cr=E8me?=", u"Caf\u00e9 cr\u00e8me"},
                             DecodeCase{"=?koi8-r?B?99nHz8TOz8U=?=",
                                        u"\u0412\u044b\u0433\u043e\u0434\u043d\u043e\u0435"},
                             // Text around words keeps its blanks; blanks between words vanish.
                             DecodeCase{"Re: =?utf-8?Q?caf=C3=A9?= ok", u"Re: caf\u00e9 ok"},
                             DecodeCase{"=?utf-8?Q?a?=   =?utf-8?Q?b?=", u"ab"},
                             // Words in different charsets are converted each on its own.
                             DecodeCase{"=?iso-8859-1?Q?=E9?= =?utf-8?Q?=C3=A9?=", u"\u00e9\u00e9"},
                             // Language suffix (RFC 2231) on the charset.
                             DecodeCase{"=?utf-8*en?Q?hi?=", u"hi"},
                             // Malformed words stay literal text.
                             DecodeCase{"=?utf-8?X?abc?=", u"=?utf-8?X?abc?="},
                             DecodeCase{"=?utf-8?Q?no end", u"=?utf-8?Q?no end"},
                             DecodeCase{"cost =?", u"cost =?"},
                             // Bad base64 decodes as far as it goes.
                             DecodeCase{"=?utf-8?B?YW!!Jj?=", u"ab\u0063"},
                             // An unknown charset falls back to UTF-8 validation.
                             DecodeCase{"=?x-unknown?Q?=C3=A9?=", u"\u00e9"},
                             // Raw 8-bit text: UTF-8 when well-formed, else windows-1252.
                             DecodeCase{"caf\xC3\xA9", u"caf\u00e9"},
                             DecodeCase{"\x93quoted\x94 \x81", u"\u201cquoted\u201d \u0081"}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p.raw, info.index);
                         });

TEST(EncodedWordDecoder, DropsNulBytesAndFoldingAndTrimsOuterBlanks) {
  EXPECT_EQ(EncodedWordDecoder::Decode(std::string("  a\0b\r\n\tc  ", 11)), u"ab\tc");
}

TEST(EncodedWordDecoder, ReadsNulBytesInsideAWordWithoutStopping) {
  EXPECT_EQ(EncodedWordDecoder::Decode("=?utf-8?Q?a=00b?= c"), u"ab c");
}

TEST(EncodedWordDecoder, DecodesAMegabyteLongHeaderWithoutTrouble) {
  std::string raw;
  for (int i = 0; i < 20000; ++i) raw += "=?utf-8?B?YWJj?= ";
  const std::u16string text = EncodedWordDecoder::Decode(raw);
  EXPECT_EQ(text.size(), 60000u);
}

// Each "=?" without a closing "?=" used to search the rest of the text
// again: a megabyte took minutes.
TEST(EncodedWordDecoder, ReadsAMegabyteOfUnfinishedEncodedWordsInOnePass) {
  // Without a closing "?=" at all, and with one at the very end after blanks.
  for (const auto& [word, tail] : {std::pair{"=?a?B?x", ""}, std::pair{"=?a?B?x ", "?="}}) {
    std::string raw;
    while (raw.size() < (1u << 20)) raw += word;
    raw += tail;
    SCOPED_TRACE(tail);
    EXPECT_EQ(EncodedWordDecoder::Decode(raw).size(), raw.size());  // all literal text
  }
}

struct RoundTripCase {
  const char16_t* text;
};

class EncodedWordRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(EncodedWordRoundTrip, ReadsBackExactlyWhatWasWritten) {
  const std::u16string text = GetParam().text;
  for (const char* eol : {"\n", "\r\n"}) {
    const std::string field = EncodedWordEncoder::Encode(text, 9, eol);
    EXPECT_EQ(EncodedWordDecoder::Decode(field), text) << field;
    // Every line stays within the limit a header line should keep.
    std::size_t start = 0;
    while (start < field.size()) {
      std::size_t end = field.find('\n', start);
      if (end == std::string::npos) end = field.size();
      EXPECT_LE(end - start, 78u) << field;
      start = end + 1;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Subjects, EncodedWordRoundTrip,
    testing::Values(RoundTripCase{u"<*5*>[SpamBody     ]Hello"}, RoundTripCase{u""},
                    RoundTripCase{u"_<*1*>[Bayes 0.973  ]\u041f\u0440\u0438\u0432\u0435\u0442"},
                    RoundTripCase{u" leading and trailing blanks "},
                    RoundTripCase{u"looks like =?utf-8?Q?a?= but is not"},
                    RoundTripCase{u"line\r\nInjected: header"},
                    RoundTripCase{u"emoji \U0001F600 and \u20ac across many words "
                                  u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
                                  u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
                                  u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"},
                    RoundTripCase{u"a plain ascii subject that is long enough to need folding "
                                  u"at one of its blanks, and then at another one as well"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.text, info.index);
    });

TEST(EncodedWordEncoder, LeavesPlainAsciiReadable) {
  EXPECT_EQ(EncodedWordEncoder::Encode(u"<*5*>Hello", 9, "\n"), "<*5*>Hello");
}

TEST(EncodedWordEncoder, NeverLetsALineBreakStartANewHeader) {
  const std::string field = EncodedWordEncoder::Encode(u"a\nBcc: x@y", 9, "\n");
  EXPECT_EQ(field.find("\nBcc"), std::string::npos);
}

}  // namespace
}  // namespace skerrow::maildir
