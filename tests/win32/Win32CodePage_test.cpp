#include "platform/win32/Win32CodePage.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

const Win32CodePage kWestern(1252);
const Win32CodePage kChinese(936);

struct NarrowCase {
  const Win32CodePage& page;
  std::u16string wide;
  std::string narrow;
  bool usedDefaultChar;
};

class ToNarrow : public ::testing::TestWithParam<NarrowCase> {};

TEST_P(ToNarrow, GivesTheBytesOrQuestionMarksAsTheLinuxHomeDoes) {
  const NarrowText result = GetParam().page.ToNarrow(GetParam().wide);
  EXPECT_EQ(result.text, GetParam().narrow);
  EXPECT_EQ(result.usedDefaultChar, GetParam().usedDefaultChar);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToNarrow,
    ::testing::Values(NarrowCase{kWestern, u"", "", false},
                      NarrowCase{kWestern, u"caf\u00E9 \u20AC5",
                                 "caf\xE9 \x80"
                                 "5",
                                 false},
                      NarrowCase{kWestern, u"a\u0100b\u4E2D", "a?b?", true},  // no best fit
                      NarrowCase{kWestern, u"x\U0001F600y", "x?y", true},     // one "?" a pair
                      NarrowCase{kWestern, u"x\xD800y\xDC00", "x?y?", true},
                      NarrowCase{kWestern, std::u16string(u"a\0b", 3), std::string("a\0b", 3),
                                 false},
                      NarrowCase{kChinese, u"Re: \u4E2D\u6587", "Re: \xD6\xD0\xCE\xC4", false},
                      NarrowCase{kChinese, u"\u4E2D\u0E01\U0001F600", "\xD6\xD0??", true},
                      NarrowCase{kChinese, std::u16string(3000, u'\u4E2D'),
                                 [] {
                                   std::string bytes;
                                   for (int i = 0; i < 3000; ++i) bytes += "\xD6\xD0";
                                   return bytes;
                                 }(),
                                 false}));

TEST(Win32CodePage, AnInvalidDoubleByteSequenceCostsOneQuestionMarkAndNothingAfterIt) {
  EXPECT_EQ(kChinese.ToWide("ab\xD6"), u"ab?");
  EXPECT_EQ(kChinese.ToWide("\x81\x0A"
                            "x\xD6\xD0"),
            u"?\nx\u4E2D");
}

struct UpperCase {
  const Win32CodePage& page;
  std::string text;
  std::string upper;
};

class ToUpper : public ::testing::TestWithParam<UpperCase> {};

TEST_P(ToUpper, ChangesSingleByteLettersAndNeverSplitsADoubleByteCharacter) {
  EXPECT_EQ(GetParam().page.ToUpper(GetParam().text), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToUpper,
    ::testing::Values(UpperCase{kWestern, "abc xyz 019 [@`{]", "ABC XYZ 019 [@`{]"},
                      UpperCase{kWestern, "\xE0\xE9\xFE\xFF\x9A\x9C", "\xC0\xC9\xDE\x9F\x8A\x8C"},
                      UpperCase{kWestern, "\xDF\xB5\xF7", "\xDF\xB5\xF7"},  // no upper case here
                      // A trail byte that looks like a lower-case letter stays as it is.
                      UpperCase{kChinese, "\x81\x61\x81\x7A", "\x81\x61\x81\x7A"},
                      UpperCase{kChinese, "x\xD6\xD0y", "X\xD6\xD0Y"},
                      UpperCase{kChinese, "ab\xD6", "AB\xD6"}));

TEST(Win32CodePage, CompareNoCaseComparesTheUpperCasedBytesUnsigned) {
  EXPECT_EQ(kWestern.CompareNoCase("Junk \xE9-mail", "JUNK \xC9-MAIL"), 0);
  EXPECT_GT(kWestern.CompareNoCase("\xE9", "z"), 0);
  EXPECT_NE(kChinese.CompareNoCase("\x81\x61", "\x81\x41"), 0);
}

}  // namespace
}  // namespace skerrow
