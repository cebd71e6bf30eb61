// The manual page: the help texts' layout read back into the man macros, and
// the built page as groff and man see it.
#include "cli/ManualPage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Commands.h"
#include "cli/OptionKeys.h"
#include "options/FilterOptions.h"
#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

namespace fs = std::filesystem;
using namespace cli;

struct RoffCase {
  const char* text;
  const char* roff;
};

class RoffTextTest : public ::testing::TestWithParam<RoffCase> {};

TEST_P(RoffTextTest, CannotBeTakenForARequestOrAnEscape) {
  EXPECT_EQ(RoffText(GetParam().text), GetParam().roff);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RoffTextTest,
    ::testing::Values(RoffCase{".skerrow.lock is held", "\\&.skerrow.lock is held"},
                      RoffCase{"'quoted' first", "\\&'quoted' first"},
                      RoffCase{"C:\\Skerrowlog.txt", "C:\\eSkerrowlog.txt"},
                      RoffCase{"--store DIR", "\\-\\-store DIR"},
                      RoffCase{"caf\xC3\xA9 \xF0\x9F\x93\xA7", "caf\\[u00E9] \\[u1F4E7]"}));

TEST(RoffSynopsisTest, SetsLiteralsInBoldAndPlaceholdersInItalics) {
  EXPECT_EQ(RoffSynopsis("skerrow move --to FOLDER MSG..."),
            "\\fBskerrow\\fR \\fBmove\\fR \\fB\\-\\-to\\fR \\fIFOLDER\\fR \\fIMSG\\fR...");
  EXPECT_EQ(RoffSynopsis("skerrow options [KEY=VALUE...]"),
            "\\fBskerrow\\fR \\fBoptions\\fR [\\fIKEY=VALUE\\fR...]");
}

TEST(RoffBodyTest, ReadsParagraphsListsAndContinuedItems) {
  const std::string roff = RoffBody(
      "First line\n"
      "goes on.\n"
      "\n"
      "  --home DIR   the prefix;\n"
      "               default ~/.local\n"
      "  HOME/drive_c/Program Files/Tamsquill.bin\n"
      "                the dictionary\n"
      "After the list.\n");
  EXPECT_EQ(roff,
            ".PP\nFirst line\ngoes on.\n"
            ".TP\n\\fB\\-\\-home DIR\\fR\nthe prefix;\ndefault ~/.local\n"
            ".TP\n\\fBHOME/drive_c/Program Files/Tamsquill.bin\\fR\nthe dictionary\n"
            ".PP\nAfter the list.\n");
}

TEST(OptionKeysTest, EveryStoredKeyHasItsMeaning) {
  for (const auto& [key, value] : FilterOptions().StoredValues()) {
    EXPECT_NE(OptionMeaning(key), nullptr) << key;
  }
  EXPECT_EQ(OptionKeys().size(), FilterOptions().StoredValues().size());
}

TEST(OptionKeysTest, TheHelpGivesTheDefaultsOfAFreshPrefix) {
  const std::string help = OptionKeysHelp();
  EXPECT_NE(help.find("  bShowToolbar=1\n"), std::string::npos) << help;
  EXPECT_NE(help.find("  bSpamAutoMove=0\n"), std::string::npos);
  EXPECT_NE(help.find("  sSpamBoxName=Junk E-mail\n"), std::string::npos);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(BuiltManualPageTest, HasEveryCommandWithItsHelpAndEveryOptionKey) {
  const std::string page = ReadFile(SKERROW_MANUAL_PAGE);
  for (const auto& command : AllCommands()) {
    EXPECT_NE(page.find(".SS " + RoffText(command->Name()) + "\n"), std::string::npos)
        << command->Name();
    // The help's first line after the usage line and the blank one.
    const std::string help = command->Help();
    const std::size_t first = help.find("\n\n") + 2;
    const std::string line = help.substr(first, help.find('\n', first) - first);
    EXPECT_NE(page.find(RoffText(line)), std::string::npos) << command->Name();
  }
  for (const OptionKey& key : OptionKeys()) {
    EXPECT_NE(page.find(RoffText(key.meaning)), std::string::npos) << key.key;
  }
  for (const char* section : {"FILES", "ENVIRONMENT", "EXIT STATUS"}) {
    EXPECT_NE(page.find(std::string(".SH ") + section + "\n"), std::string::npos) << section;
  }
}

TEST(BuiltManualPageTest, RendersWithoutAWarning) {
  if (std::system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "no groff here";
  TempFolder folder;
  const fs::path text = folder.path() / "page.txt";
  const fs::path warnings = folder.path() / "warnings.txt";
  const std::string command = "groff -ww -man -Tutf8 -P-cbou '" + std::string(SKERROW_MANUAL_PAGE) +
                              "' >'" + text.string() + "' 2>'" + warnings.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(warnings), "");
  EXPECT_NE(ReadFile(text).find("EXIT STATUS"), std::string::npos);
}

}  // namespace
}  // namespace skerrow
