#include "html/FontSizeReading.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

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

TEST_P(StyleFontSizeTest, IsExtraSmallAtTwoOrLessUnlessPlainlyLargerThanSmall) {
  EXPECT_EQ(IsExtraSmallStyleFontSize(GetParam().size), GetParam().small) << GetParam().size;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, StyleFontSizeTest,
    ::testing::Values(StyleCase{"2pt", true}, StyleCase{"1px", true}, StyleCase{"0", true},
                      StyleCase{"2.9pt", true}, StyleCase{"3pt", false}, StyleCase{"10pt", false},
                      StyleCase{"", false}, StyleCase{"x-small", true}, StyleCase{"small", true},
                      StyleCase{"-1", true},
                      // Plainly larger than "small" (13 px): never extra small.
                      StyleCase{"1em", false}, StyleCase{"+1em", false}, StyleCase{"0.9em", false},
                      StyleCase{"2ex", false}, StyleCase{"2in", false}, StyleCase{"medium", false},
                      StyleCase{" LARGE ", false}, StyleCase{"larger", false},
                      StyleCase{"smaller", false}, StyleCase{"inherit", false},
                      // Not plainly larger: the rule as it is.
                      StyleCase{"0.8em", true}, StyleCase{"0.2ex", true}, StyleCase{"2mm", true},
                      StyleCase{"2%", true}, StyleCase{"5%", false}, StyleCase{"10%", false},
                      StyleCase{"80%", false}, StyleCase{"2vw", true}),
    [](const ::testing::TestParamInfo<StyleCase>& info) {
      std::string name;
      for (const char c : std::string(info.param.size)) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
          name += c;
        } else if (c == '.') {
          name += "_";
        } else if (c == '%') {
          name += "percent";
        } else if (c == '+') {
          name += "plus";
        } else if (c == '-') {
          name += "minus";
        }
      }
      return name.empty() ? std::string("empty") : name + "_" + std::to_string(info.index);
    });

}  // namespace
}  // namespace skerrow
