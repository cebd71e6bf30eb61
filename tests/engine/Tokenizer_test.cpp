#include "engine/Tokenizer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

struct TokenizerCase {
  const char* name;
  std::string text;
  int minLength;
  WordSet words;
  WordSet links;
};

class TokenizerTest : public testing::TestWithParam<TokenizerCase> {
 protected:
  TestPlatform world_;
};

TEST_P(TokenizerTest, FindsTheWordsAndLinksOfTheText) {
  const TokenizerCase& c = GetParam();
  MessageFeatures features;
  Tokenizer(world_.codePage()).Tokenize(c.text, c.minLength, features);
  EXPECT_EQ(features.words, c.words);
  EXPECT_EQ(features.links, c.links);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TokenizerTest,
    testing::Values(
        TokenizerCase{"BodyWordsOfFourLettersOrMore",
                      "Hello world, hello again",
                      4,
                      {"AGAIN", "HELLO", "WORLD"},
                      {}},
        TokenizerCase{"SubjectWordsOfTwoLettersOrMore", "Re: Hi", 2, {"HI", "RE"}, {}},
        TokenizerCase{"ClosesTheRunAtTheEndOfTheText", "end", 1, {"END"}, {}},
        TokenizerCase{
            "CutsWordsToThirtyCharacters", std::string(35, 'a'), 1, {std::string(30, 'A')}, {}},
        TokenizerCase{"KeepsWordCharactersTogether", "a;b#c$d%e&f_g`h", 1, {"A;B#C$D%E&F_G`H"}, {}},
        TokenizerCase{
            "SplitsAtEverySeparator",
            "a\tb\nc\rd e!f,g.h:i?j\"k'l(m)n-o\xABp\xBBq*r+s/t<u=v>w@x[y\\z]0{1}2^3|4~5"
            "\xA6"
            "6",
            1,
            {"0", "1", "2", "3", "4", "5", "6", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
             "K", "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"},
            {}},
        TokenizerCase{
            "UpperCasesLettersOfTheCodePage", "na\xEFve caf\xE9", 4, {"CAF\xC9", "NA\xCFVE"}, {}},
        TokenizerCase{"TakesALinkFromWww", "see www.ab now", 2, {"NOW", "SEE"}, {"WWW.AB"}},
        TokenizerCase{"TokenizesAWwwFragmentOfFiveCharactersAsWords", "www.a x", 1, {"A", "X"}, {}},
        TokenizerCase{"TakesNoLinkFromAWwwAddressThatEndsTheText",
                      "see www.example.com",
                      2,
                      {"COM", "EXAMPLE", "SEE"},
                      {}},
        TokenizerCase{"KeepsHostAndPathOfAWwwLink",
                      "www.example.com/path/page.html?x=1",
                      1,
                      {"1", "X"},
                      {"WWW.EXAMPLE.COM/PATH/PAGE.HTML"}},
        TokenizerCase{"LeavesOutSchemeAndSlashesOfAnHttpLink",
                      "http://www.example.com/path?q",
                      1,
                      {"Q"},
                      {"WWW.EXAMPLE.COM/PATH"}},
        TokenizerCase{"AcceptsBackslashesAfterHttp",
                      "HTTP:\\\\host.example\\dir file",
                      1,
                      {"FILE"},
                      {"HOST.EXAMPLE\\DIR"}},
        TokenizerCase{"TreatsHttpsAsAnOrdinaryWord",
                      "https://example.com/x y",
                      2,
                      {"COM", "EXAMPLE", "HTTPS"},
                      {}},
        TokenizerCase{
            "ResumesAfterHttpWithoutDoubleSlash", "http: example text", 4, {"EXAMPLE", "TEXT"}, {}},
        TokenizerCase{
            "ResumesAfterHttpWhenTheLinkIsTooShort", "http://ab.c d", 1, {"AB", "C", "D"}, {}},
        TokenizerCase{"FindsTheDoubleSlashAnywhereLaterInTheText",
                      "http then a//far.example z",
                      1,
                      {"Z"},
                      {"FAR.EXAMPLE"}},
        TokenizerCase{"LooksNoFurtherThanFiftyCharactersForTheEndOfALink",
                      "www." + std::string(49, 'a') + " z",
                      1,
                      {std::string(30, 'A'), "Z"},
                      {}},
        TokenizerCase{"FindsTheLinkEndWithinFiftyCharacters",
                      "www." + std::string(48, 'a') + " z",
                      1,
                      {"Z"},
                      {"WWW." + std::string(48, 'A')}}),
    [](const testing::TestParamInfo<TokenizerCase>& info) { return info.param.name; });

std::string ManyWords(int count, const std::string& prefix) {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(1000 + i) + " ";
  return text;
}

class TokenizerBudgetTest : public testing::Test {
 protected:
  TestPlatform world_;
};

TEST_F(TokenizerBudgetTest, StopsAtTheFirstWordAfterFortyWereTaken) {
  MessageFeatures features;
  const std::string text = ManyWords(40, "word") + "extra www.late.example.com later";
  Tokenizer(world_.codePage()).Tokenize(text, 4, features);
  EXPECT_EQ(features.words.size(), 40u);
  EXPECT_FALSE(features.words.contains("EXTRA"));
  EXPECT_TRUE(features.links.empty());
}

TEST_F(TokenizerBudgetTest, StillTakesLinksBeforeTheStoppingWord) {
  MessageFeatures features;
  const std::string text = ManyWords(40, "word") + "www.early.example.com extra";
  Tokenizer(world_.codePage()).Tokenize(text, 4, features);
  EXPECT_EQ(features.links, (WordSet{"WWW.EARLY.EXAMPLE.COM"}));
}

TEST_F(TokenizerBudgetTest, CountsRepeatedWordsButNotShortOnes) {
  MessageFeatures features;
  std::string text;
  for (int i = 0; i < 39; ++i) text += "same ab ";
  text += "last beyond";
  Tokenizer(world_.codePage()).Tokenize(text, 4, features);
  EXPECT_EQ(features.words, (WordSet{"LAST", "SAME"}));
}

TEST_F(TokenizerBudgetTest, GivesEachTextABudgetOfItsOwn) {
  MessageFeatures features;
  const Tokenizer tokenizer(world_.codePage());
  tokenizer.Tokenize(ManyWords(50, "body"), 4, features);
  tokenizer.Tokenize("Subject line", 2, features);
  EXPECT_EQ(features.words.size(), 42u);
  EXPECT_TRUE(features.words.contains("SUBJECT"));
}

}  // namespace
}  // namespace skerrow
