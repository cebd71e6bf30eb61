#include "host/maildir/CharsetCodec.h"

#include <gtest/gtest.h>

#include "base/Utf8.h"
#include "tests/support/CaseName.h"

namespace skerrow::maildir {
namespace {

struct DecodeCase {
  const char* bytes;
  const char* charset;
  const char16_t* text;
  const char* readAs;
};

class CharsetDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(CharsetDecoding, ReadsTheBytesInTheRightCharset) {
  const DecodedText decoded = CharsetCodec::Decode(GetParam().bytes, GetParam().charset);
  EXPECT_EQ(decoded.text, GetParam().text);
  EXPECT_EQ(decoded.charset, GetParam().readAs);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, CharsetDecoding,
    testing::Values(
        // No charset: well-formed UTF-8 is UTF-8.
        DecodeCase{"caf\xC3\xA9", "", u"caf\u00e9", "utf-8"},
        // No charset, not UTF-8: windows-1252, including the five bytes
        // glibc's converter rejects, which become their C1 code points.
        DecodeCase{"\x80\x81\x8D\x8F\x90\x9D\x9F", "",
                   u"\u20ac\u0081\u008d\u008f\u0090\u009d\u0178", "windows-1252"},
        DecodeCase{"\xE9t\xE9", "", u"\u00e9t\u00e9", "windows-1252"},
        // An unknown charset is treated as no charset.
        DecodeCase{"\xE9", "x-no-such-charset", u"\u00e9", "windows-1252"},
        // Latin-1 and ASCII labels read as their superset windows-1252.
        DecodeCase{"\x93Hi\x94", "iso-8859-1", u"\u201cHi\u201d", "iso-8859-1"},
        DecodeCase{"\x96", "US-ASCII", u"\u2013", "us-ascii"},
        DecodeCase{"\"caf\xC3\xA9\"", "\"UTF-8\"", u"\"caf\u00e9\"", "utf-8"},
        // Other charsets through iconv.
        DecodeCase{"\xF7\xD9\xC7\xCF\xC4\xCE\xCF\xC5", "koi8-r",
                   u"\u0412\u044b\u0433\u043e\u0434\u043d\u043e\u0435", "koi8-r"},
        DecodeCase{"\xC4\xE3\xBA\xC3", "gb2312", u"\u4f60\u597d", "gb2312"},
        DecodeCase{"\xEA", "iso-8859-7", u"\u03ba", "iso-8859-7"},
        // Malformed bytes become U+FFFD and the rest is still read.
        DecodeCase{"a\xFF"
                   "b",
                   "utf-8", u"a\ufffdb", "utf-8"},
        DecodeCase{"\xC4\xE3\xFF\xBA\xC3", "gb2312", u"\u4f60\ufffd\u597d", "gb2312"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.charset, info.index);
    });

TEST(CharsetCodec, WritesWhatTheCharsetLacksThroughTheSubstitute) {
  const auto reference = [](char32_t c) { return "&#" + std::to_string(c) + ";"; };
  EXPECT_EQ(CharsetCodec::Encode(u"\u20ac \u4f60", "windows-1252", reference), "\x80 &#20320;");
  EXPECT_EQ(CharsetCodec::Encode(u"\u00e9", "us-ascii", reference), "&#233;");
  EXPECT_EQ(CharsetCodec::Encode(u"\u00e9\u20ac", "iso-8859-1", reference), "\xE9&#8364;");
  EXPECT_EQ(CharsetCodec::Encode(u"\u0412 \u20ac", "koi8-r", reference), "\xF7 &#8364;");
}

TEST(CharsetCodec, LeavesAStatefulCharsetBeforeWritingASubstitute) {
  const auto reference = [](char32_t c) { return "&#" + std::to_string(c) + ";"; };
  const std::string bytes = CharsetCodec::Encode(u"\u65e5\u00e9", "iso-2022-jp", reference);
  // Back in ASCII (ESC ( B) before the reference, so it reads as written.
  EXPECT_NE(bytes.find("\x1b(B&#233;"), std::string::npos);
  EXPECT_EQ(CharsetCodec::Decode(bytes, "iso-2022-jp").text, u"\u65e5&#233;");
}

// ESC, SO and SI only start escape and shift sequences in these charsets: a
// text holding one as a character is written with the substitute, so that
// it reads back as it was written rather than as another character set.
TEST(CharsetCodec, WritesTheShiftCodesOfAnIso2022CharsetThroughTheSubstitute) {
  const auto reference = [](char32_t c) { return "&#" + std::to_string(c) + ";"; };
  for (const char* charset : {"iso-2022-jp", "iso-2022-kr", "iso-2022-cn"}) {
    for (const char16_t code : {u'\x1B', u'\x0E', u'\x0F'}) {
      const std::u16string text = u"a" + std::u16string(1, code) + u"$B$3 b";
      const std::string bytes = CharsetCodec::Encode(text, charset, reference);
      EXPECT_EQ(CharsetCodec::Decode(bytes, charset).text,
                u"a&#" + Utf8ToUtf16(std::to_string(code)) + u";$B$3 b")
          << charset << " " << int{code};
    }
  }
}

TEST(CharsetCodec, EncodesTextBackIntoTheCharsetItWasReadIn) {
  const auto never = [](char32_t) { return std::string("?"); };
  for (const char* bytes : {"\x81\x8D\x8F\x90\x9D plain \xE9", "caf\xC3\xA9"}) {
    const DecodedText decoded = CharsetCodec::Decode(bytes, "");
    EXPECT_EQ(CharsetCodec::Encode(decoded.text, decoded.charset, never), bytes);
  }
}

}  // namespace
}  // namespace skerrow::maildir
