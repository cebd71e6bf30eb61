#include "platform/linux/LinuxCodePage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

std::unique_ptr<LinuxCodePage> Page(unsigned id) {
  std::unique_ptr<LinuxCodePage> page = LinuxCodePage::Create(id);
  EXPECT_NE(page, nullptr) << id;
  return page;
}

class SupportedCodePages : public ::testing::TestWithParam<unsigned> {};

TEST_P(SupportedCodePages, ConvertAsciiBothWaysUnchanged) {
  std::unique_ptr<LinuxCodePage> page = Page(GetParam());
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Id(), GetParam());
  NarrowText narrow = page->ToNarrow(u"Hello, World! 0-9 ~");
  EXPECT_EQ(narrow.text, "Hello, World! 0-9 ~");
  EXPECT_FALSE(narrow.usedDefaultChar);
  EXPECT_EQ(page->ToWide("Hello, World!"), u"Hello, World!");
  EXPECT_EQ(page->ToUpper("subject: hi"), "SUBJECT: HI");
}

TEST_P(SupportedCodePages, ReadEveryDefinedCharacterBackAsItsBytes) {
  std::unique_ptr<LinuxCodePage> page = Page(GetParam());
  ASSERT_NE(page, nullptr);
  for (unsigned b = 1; b < 256; ++b) {
    if (page->IsLeadByte(static_cast<unsigned char>(b))) continue;
    std::string byte(1, static_cast<char>(b));
    std::u16string wide = page->ToWide(byte);
    ASSERT_EQ(wide.size(), 1u);
    if (wide[0] == 0xFFFD) continue;  // a byte the code page leaves undefined
    EXPECT_EQ(page->ToNarrow(wide).text, byte) << GetParam() << " byte " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(Ids, SupportedCodePages,
                         ::testing::Values(874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u,
                                           1254u, 1255u, 1256u, 1257u, 1258u),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(std::to_string(p), info.index);
                         });

TEST(LinuxCodePage, UnknownCodePagesAreNotSupported) {
  for (unsigned id : {0u, 437u, 1200u, 65001u, 20127u})
    EXPECT_EQ(LinuxCodePage::Create(id), nullptr);
}

TEST(LinuxCodePage, Windows1252RoundTripsEveryByte) {
  std::unique_ptr<LinuxCodePage> page = Page(1252);
  std::string all;
  for (unsigned b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide = page->ToWide(all);
  EXPECT_EQ(wide[0x80], u'\u20AC');
  EXPECT_EQ(wide[0x9F], u'\u0178');
  EXPECT_EQ(wide[0x81], u'\u0081');  // undefined in 1252, read as on Windows
  EXPECT_EQ(wide[0xE9], u'\u00E9');
  NarrowText back = page->ToNarrow(wide);
  EXPECT_EQ(back.text, all);
  EXPECT_FALSE(back.usedDefaultChar);
}

struct NarrowCase {
  unsigned codePage;
  std::u16string wide;
  std::string narrow;
  bool usedDefaultChar;
};

class ToNarrow : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(ToNarrow, GivesTheBytesOrQuestionMarks) {
  const NarrowCase& c = GetParam();
  NarrowText result = Page(c.codePage)->ToNarrow(c.wide);
  EXPECT_EQ(result.text, c.narrow);
  EXPECT_EQ(result.usedDefaultChar, c.usedDefaultChar);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToNarrow,
    ::testing::Values(NarrowCase{1252, u"", "", false},
                      NarrowCase{1252, u"caf\u00E9 \u20AC5",
                                 "caf\xE9 \x80"
                                 "5",
                                 false},
                      NarrowCase{1252, u"\u4E2D\u6587", "??", true},
                      NarrowCase{1252, u"a\u0100b", "a?b", true},
                      NarrowCase{1252, u"x\U0001F600y", "x?y", true},  // one "?" for a pair
                      NarrowCase{1252, u"x\xD800y", "x?y", true},      // unpaired high half
                      NarrowCase{1252, u"x\xDC00y", "x?y", true},      // unpaired low half
                      NarrowCase{1252, u"\xD800", "?", true},          // high half at the end
                      NarrowCase{1252, std::u16string(u"a\0b", 3), std::string("a\0b", 3), false},
                      NarrowCase{1251, u"\u041F\u0440\u0438", "\xCF\xF0\xE8", false},
                      NarrowCase{1251, u"\u00E9", "?", true},
                      // Double-byte code pages need two bytes per character: the text must
                      // come out whole, not empty or cut.
                      NarrowCase{936, u"\u4E2D\u6587", "\xD6\xD0\xCE\xC4", false},
                      NarrowCase{936, u"Re: \u4E2D\u6587 ok", "Re: \xD6\xD0\xCE\xC4 ok", false},
                      NarrowCase{932, u"\u65E5\u672C\u8A9E", "\x93\xFA\x96\x7B\x8C\xEA", false},
                      NarrowCase{932, u"\uFF71", "\xB1", false},  // half-width katakana
                      NarrowCase{949, u"\uD55C\uAD6D", "\xC7\xD1\xB1\xB9", false},
                      NarrowCase{950, u"\u4E2D\u6587", "\xA4\xA4\xA4\xE5", false},
                      NarrowCase{936, u"\u4E2D\u0E01", "\xD6\xD0?", true}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::to_string(p.codePage) + " " + p.narrow, info.index);
    });

TEST(LinuxCodePage, LongDoubleByteTextComesOutWhole) {
  std::unique_ptr<LinuxCodePage> page = Page(936);
  std::u16string wide;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    wide += u"\u4E2D";
    expected += "\xD6\xD0";
  }
  EXPECT_EQ(page->ToNarrow(wide).text, expected);
}

TEST(LinuxCodePage, DoubleByteTextReadsBackAsItsCharacters) {
  std::unique_ptr<LinuxCodePage> page = Page(932);
  EXPECT_EQ(page->ToWide("a\x93\xFA\x96\x7B"
                         "b"),
            u"a\u65E5\u672Cb");
}

TEST(LinuxCodePage, ALeadByteWithoutItsTrailByteReadsAsAQuestionMark) {
  std::unique_ptr<LinuxCodePage> page = Page(932);
  EXPECT_EQ(page->ToWide("ab\x93"), u"ab?");
  // An invalid trail byte is kept: it is read again on its own.
  EXPECT_EQ(page->ToWide("\x81\x0A"
                         "x"),
            u"?\nx");
}

TEST(LinuxCodePage, LeadBytesAreThoseOfTheDoubleByteCodePages) {
  std::unique_ptr<LinuxCodePage> japanese = Page(932);
  EXPECT_TRUE(japanese->IsLeadByte(0x81));
  EXPECT_TRUE(japanese->IsLeadByte(0xE0));
  EXPECT_FALSE(japanese->IsLeadByte(0xB1));  // half-width katakana is one byte
  EXPECT_FALSE(japanese->IsLeadByte('a'));
  std::unique_ptr<LinuxCodePage> chinese = Page(936);
  EXPECT_TRUE(chinese->IsLeadByte(0xD6));
  EXPECT_FALSE(chinese->IsLeadByte(0x7F));
  std::unique_ptr<LinuxCodePage> western = Page(1252);
  for (unsigned b = 0; b < 256; ++b)
    EXPECT_FALSE(western->IsLeadByte(static_cast<unsigned char>(b)));
}

struct UpperCase {
  unsigned codePage;
  std::string text;
  std::string upper;
};

class ToUpper : public ::testing::TestWithParam<UpperCase> {};

TEST_P(ToUpper, ChangesSingleByteLettersOnly) {
  const UpperCase& c = GetParam();
  EXPECT_EQ(Page(c.codePage)->ToUpper(c.text), c.upper);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToUpper,
    ::testing::Values(UpperCase{1252, "abc xyz 019 [@`{]", "ABC XYZ 019 [@`{]"},
                      // Accented letters, and the three lower-case letters of 0x80-0x9F.
                      UpperCase{1252, "\xE0\xE9\xF6\xFE\xFF\x9A\x9C\x9E",
                                "\xC0\xC9\xD6\xDE\x9F\x8A\x8C\x8E"},
                      // Sharp s, micro sign and division sign have no upper case here.
                      UpperCase{1252, "\xDF\xB5\xF7", "\xDF\xB5\xF7"},
                      UpperCase{1251, "\xE0\xFF\xB8", "\xC0\xDF\xA8"},  // Cyrillic a, ya, yo
                      UpperCase{1253, "\xE1\xF9\xF2", "\xC1\xD9\xF2"},  // alpha, omega, final sigma
                      UpperCase{1250, "\xB9\x9F", "\xA5\x8F"},          // a ogonek, z acute
                      // A trail byte that looks like a lower-case letter stays as it is.
                      UpperCase{932, "a\x83\x61z", "A\x83\x61Z"},
                      UpperCase{936, "\x81\x61\x81\x7A", "\x81\x61\x81\x7A"},
                      UpperCase{936, "x\xD6\xD0y", "X\xD6\xD0Y"},
                      // A lead byte at the end keeps its place.
                      UpperCase{950, "ab\xA4", "AB\xA4"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::to_string(p.codePage) + " " + p.text, info.index);
    });

TEST(LinuxCodePage, CompareNoCaseComparesTheUpperCasedTexts) {
  std::unique_ptr<LinuxCodePage> page = Page(1252);
  EXPECT_EQ(page->CompareNoCase("Junk E-mail", "JUNK e-MAIL"), 0);
  EXPECT_EQ(page->CompareNoCase("\xE9t\xE9", "\xC9T\xC9"), 0);
  EXPECT_LT(page->CompareNoCase("abc", "ABD"), 0);
  EXPECT_GT(page->CompareNoCase("abcd", "ABC"), 0);
  EXPECT_GT(page->CompareNoCase("\xE9", "z"), 0);  // bytes compare unsigned
  std::unique_ptr<LinuxCodePage> japanese = Page(932);
  EXPECT_NE(japanese->CompareNoCase("\x83\x61", "\x83\x41"), 0);
}

}  // namespace
}  // namespace skerrow
