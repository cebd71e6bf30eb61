#include "host/SubjectFilter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

constexpr std::u16string_view kInboxMarked = u"[Subject] >= \"<*0*>\" AND  [Subject] <= \"<*9*>\"";
constexpr std::u16string_view kSpamMarked = u"[Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\"";
constexpr std::u16string_view kSpamUnmarked =
    u"NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")";

struct FilterCase {
  std::u16string_view filter;
  std::u16string_view subject;
  bool matches;
};

class TheFiltersTheSystemUses : public ::testing::TestWithParam<FilterCase> {};

TEST_P(TheFiltersTheSystemUses, SelectSubjectsByTheirMarker) {
  const FilterCase& c = GetParam();
  auto filter = SubjectFilter::Parse(c.filter);
  ASSERT_TRUE(filter.has_value());
  EXPECT_EQ(filter->Matches(c.subject), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    MarkerSubjects, TheFiltersTheSystemUses,
    ::testing::Values(
        FilterCase{kInboxMarked, u"<*5*>[SpamBody     ]Hello", true},
        FilterCase{kInboxMarked, u"<*1*>", true}, FilterCase{kInboxMarked, u"<*0*>", true},
        FilterCase{kInboxMarked, u"<*9*>", true}, FilterCase{kInboxMarked, u"_<*5*>Hello", false},
        FilterCase{kInboxMarked, u"Hello <*5*>", false}, FilterCase{kInboxMarked, u"", false},
        FilterCase{kInboxMarked, u"<*", false},
        FilterCase{kSpamMarked, u"_<*3*>[Empty Body   ]", true},
        FilterCase{kSpamMarked, u"<*3*>Hello", false}, FilterCase{kSpamMarked, u"_Hello", false},
        FilterCase{kSpamUnmarked, u"<*3*>Hello", true}, FilterCase{kSpamUnmarked, u"Hello", true},
        FilterCase{kSpamUnmarked, u"", true},
        FilterCase{kSpamUnmarked, u"_<*1*>[Bayes 0.973  ]Hi", false}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.subject, info.index);
    });

struct OrderCase {
  std::u16string_view a;
  std::u16string_view b;
  int order;  // sign of Compare(a, b)
};

class TheComparisonOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(TheComparisonOrder, FoldsCaseThenComparesCodeUnits) {
  const OrderCase& c = GetParam();
  const int order = SubjectFilter::Compare(c.a, c.b);
  EXPECT_EQ((order > 0) - (order < 0), c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, TheComparisonOrder,
    ::testing::Values(OrderCase{u"abc", u"ABC", 0}, OrderCase{u"abc", u"abd", -1},
                      OrderCase{u"ab", u"abc", -1}, OrderCase{u"", u"", 0},
                      OrderCase{u"_x", u"Zx", 1}, OrderCase{u"\u00e9t\u00e9", u"\u00c9T\u00c9", 0},
                      OrderCase{u"<*9*>x", u"<*9*>", 1}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::u16string(p.a) + u" " + std::u16string(p.b), info.index);
    });

struct OperatorCase {
  std::u16string_view filter;
  bool matchesHello;  // evaluated on the subject "Hello"
};

class TheOperators : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(TheOperators, EvaluateOnTheSubject) {
  auto filter = SubjectFilter::Parse(GetParam().filter);
  ASSERT_TRUE(filter.has_value()) << "does not parse";
  EXPECT_EQ(filter->Matches(u"Hello"), GetParam().matchesHello);
}

INSTANTIATE_TEST_SUITE_P(
    Operators, TheOperators,
    ::testing::Values(
        OperatorCase{u"[Subject] = \"hello\"", true}, OperatorCase{u"[subject]='HELLO'", true},
        OperatorCase{u"[Subject] <> \"Hello\"", false}, OperatorCase{u"[Subject] < \"Help\"", true},
        OperatorCase{u"[Subject] > \"Help\"", false}, OperatorCase{u"[Subject] <= \"Hello\"", true},
        OperatorCase{u"[Subject] >= \"Hellp\"", false},
        OperatorCase{u"[Subject] = \"A\" OR [Subject] = \"Hello\"", true},
        OperatorCase{u"[Subject] = \"A\" or [Subject] = \"B\"", false},
        OperatorCase{u"NOT [Subject] = \"A\"", true},
        OperatorCase{u"not(not([Subject] = \"Hello\"))", true},
        OperatorCase{u"([Subject] = \"A\" OR [Subject] = \"Hello\") AND "
                     u"[Subject] <> \"B\"",
                     true},
        // AND binds tighter than OR.
        OperatorCase{u"[Subject] = \"Hello\" OR [Subject] = \"A\" AND "
                     u"[Subject] = \"B\"",
                     true},
        OperatorCase{u"[Subject] = \"He\"\"llo\"", false}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.filter, info.index);
    });

TEST(SubjectFilterLiterals, ADoubledQuoteStandsForItself) {
  auto filter = SubjectFilter::Parse(u"[Subject] = \"say \"\"hi\"\"\"");
  ASSERT_TRUE(filter.has_value());
  EXPECT_TRUE(filter->Matches(u"say \"hi\""));
}

class TextsThatAreNotFilters : public ::testing::TestWithParam<std::u16string_view> {};

TEST_P(TextsThatAreNotFilters, DoNotParse) {
  EXPECT_FALSE(SubjectFilter::Parse(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Malformed, TextsThatAreNotFilters,
                         ::testing::Values(u"", u"   ", u"[Subject]", u"[Subject] >= ",
                                           u"[Subject] >= \"open", u"[Body] = \"x\"",
                                           u"[Subject = \"x\"", u"Subject = \"x\"",
                                           u"[Subject] == \"x\"", u"[Subject] = x",
                                           u"[Subject] = \"x\" AND", u"NOT( [Subject] = \"x\"",
                                           u"[Subject] = \"x\")",
                                           u"[Subject] = \"x\" ANDNOT [Subject] = \"y\"",
                                           u"[Subject] = \"x\" [Subject] = \"y\""),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p, info.index);
                         });

TEST(SubjectFilterLimits, HostileNestingIsRefusedRatherThanExhaustingTheStack) {
  std::u16string nested(100000, u'(');
  nested += u"[Subject] = \"x\"";
  nested += std::u16string(100000, u')');
  EXPECT_FALSE(SubjectFilter::Parse(nested).has_value());

  std::u16string nots;
  for (int i = 0; i < 100000; ++i) nots += u"NOT ";
  nots += u"[Subject] = \"x\"";
  EXPECT_FALSE(SubjectFilter::Parse(nots).has_value());

  std::u16string chain = u"[Subject] = \"x\"";
  for (int i = 0; i < 100000; ++i) chain += u" OR [Subject] = \"x\"";
  EXPECT_FALSE(SubjectFilter::Parse(chain).has_value());
}

}  // namespace
}  // namespace skerrow
