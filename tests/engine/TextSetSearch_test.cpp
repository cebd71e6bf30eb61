#include "engine/TextSetSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace skerrow {
namespace {

bool FoundOneByOne(const std::vector<std::string>& strings, const std::string& text) {
  for (const std::string& wanted : strings) {
    if (text.find(wanted) != std::string::npos) return true;
  }
  return false;
}

struct SearchCase {
  const char* name;
  std::vector<std::string> strings;
  std::string text;
  bool found;
};

class TextSetSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(TextSetSearchCases, FindsWhatTheStringsFindOneByOne) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(TextSetSearch(c.strings).FoundIn(c.text), c.found);
  EXPECT_EQ(FoundOneByOne(c.strings, c.text), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextSetSearchCases,
    ::testing::Values(SearchCase{"NoStrings", {}, "ANY TEXT", false},
                      SearchCase{"AnEmptyStringIsInEveryText", {"XYZ", ""}, "ABC", true},
                      SearchCase{"AtTheEnd", {"MEETING"}, "THE WEEKLY MEETING", true},
                      SearchCase{"AcrossAFailedLongerMatch", {"HERS", "SHE"}, "USHERS", true},
                      SearchCase{"ASuffixOfAPartialMatch", {"ABCD", "BC"}, "XABCX", true},
                      SearchCase{"OnlyAPrefixOfEach", {"ABCD", "BCDE"}, "ABCBCD", false},
                      SearchCase{"LongerThanTheText", {"PROJECT PLAN"}, "PROJECT", false},
                      SearchCase{"HighBytes", {"\xC9T\xC9"}, "UN \xC9T\xC9 CHAUD", true},
                      SearchCase{"ABytePresentInNoString",
                                 {"AB"},
                                 "A\x01"
                                 "B",
                                 false}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

// Random strings over a small alphabet, so that partial matches, overlaps
// and suffixes of one another are frequent.
TEST(TextSetSearchTest, AgreesWithTheOneByOneSearchOnRandomTexts) {
  std::mt19937 random(7);
  const auto text = [&](std::size_t length) {
    std::string made;
    for (std::size_t i = 0; i < length; ++i) made.push_back("ABC "[random() % 4]);
    return made;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> strings;
    for (int i = 0, n = 1 + random() % 6; i < n; ++i) strings.push_back(text(1 + random() % 5));
    const std::string searched = text(random() % 40);
    EXPECT_EQ(TextSetSearch(strings).FoundIn(searched), FoundOneByOne(strings, searched))
        << "round " << round;
  }
}

// A set whose automaton would be too large is searched string by string,
// with the same answers.
TEST(TextSetSearchTest, AVeryLargeSetIsStillSearched) {
  std::vector<std::string> strings;
  for (int i = 0; i < 300; ++i) {
    std::string text;
    for (int j = 0; j < 256; ++j) text.push_back(static_cast<char>((i + j * 7) % 256));
    strings.push_back(text);
  }
  const TextSetSearch search(strings);
  EXPECT_TRUE(search.FoundIn("prefix " + strings[123] + " suffix"));
  EXPECT_FALSE(search.FoundIn(strings[5].substr(0, 200)));
}

}  // namespace
}  // namespace skerrow
