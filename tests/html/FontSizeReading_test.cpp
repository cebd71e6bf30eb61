#include "html/FontSizeReading.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

TEST(FontSizeReadingTest, TheLeadingIntegerFollowsBlanksAndASign) {
  EXPECT_EQ(LeadingInteger("0"), 0);
  EXPECT_EQ(LeadingInteger("x-small"), 0);
  EXPECT_EQ(LeadingInteger("1px"), 1);
  EXPECT_EQ(LeadingInteger("-1"), -1);
  EXPECT_EQ(LeadingInteger("  +10pt"), 10);
  EXPECT_EQ(LeadingInteger("99999999999"), 2147483647);
}

TEST(FontSizeReadingTest, AFontSizeAttributeIsExtraSmallOnlyWhenItReadsZero) {
  EXPECT_TRUE(IsExtraSmallFontAttribute("0"));
  EXPECT_TRUE(IsExtraSmallFontAttribute("small"));
  EXPECT_FALSE(IsExtraSmallFontAttribute(""));
  EXPECT_FALSE(IsExtraSmallFontAttribute("1"));
  EXPECT_FALSE(IsExtraSmallFontAttribute("-1"));
}

struct StyleCase {
  const char* size;
  bool small;
};

class StyleFontSizeTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyleFontSizeTest, IsExtraSmallAtTwoOrLess) {
  EXPECT_EQ(IsExtraSmallStyleFontSize(GetParam().size), GetParam().small) << GetParam().size;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, StyleFontSizeTest,
    ::testing::Values(StyleCase{"2pt", true}, StyleCase{"1px", true}, StyleCase{"0", true},
                      StyleCase{"3pt", false}, StyleCase{"10pt", false}, StyleCase{"", false},
                      StyleCase{"x-small", true}, StyleCase{"small", true},
                      // Relative sizes by what they come to, large keywords never.
                      StyleCase{"0.9em", false}, StyleCase{"1.2em", false},
                      StyleCase{"0.1em", true}, StyleCase{"80%", false}, StyleCase{"10%", true},
                      StyleCase{"medium", false}, StyleCase{"LARGE", false}));

}  // namespace
}  // namespace skerrow
