#include "options/FilterOptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/linux/TextLines.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// The stored switches with their load defaults, in the order the options are
// saved (sSpamBoxName goes second).
struct StoredSwitch {
  const char* key;
  std::int32_t FilterOptions::*field;
  std::int32_t loadDefault;
};

const std::vector<StoredSwitch>& SaveOrder() {
  static const std::vector<StoredSwitch> order = {
      {"bShowToolbar", &FilterOptions::bShowToolbar, 1},
      {"bSpamAutoMove", &FilterOptions::bSpamAutoMove, 0},
      {"bAddReportMarksToSubj", &FilterOptions::bAddReportMarksToSubj, 0},
      {"bMarkAsRead", &FilterOptions::bMarkAsRead, 1},
      {"bUniqueApp", &FilterOptions::bUniqueApp, 0},
      {"bHideViaExit", &FilterOptions::bHideViaExit, 0},
      {"bRemoveScripts", &FilterOptions::bRemoveScripts, 0},
      {"bRemoveImages", &FilterOptions::bRemoveImages, 0},
      {"bWndMaximize", &FilterOptions::bWndMaximize, 0},
      {"bAllowPlayMpg", &FilterOptions::bAllowPlayMpg, 0},
      {"bErrorLog", &FilterOptions::bErrorLog, 0},
      {"bValidSubjectTxt", &FilterOptions::bValidSubjectTxt, 1},
      {"bValidBodyTxt", &FilterOptions::bValidBodyTxt, 1},
      {"bTestIllegalLang", &FilterOptions::bTestIllegalLang, 1},
      {"bTestEmpty", &FilterOptions::bTestEmpty, 1},
      {"bDangerAttachment", &FilterOptions::bDangerAttachment, 1},
      {"bBadHtmlTags", &FilterOptions::bBadHtmlTags, 1},
      {"bBeforeHtmlEnd", &FilterOptions::bBeforeHtmlEnd, 1},
      {"bBadChinaSymb", &FilterOptions::bBadChinaSymb, 1},
      {"bSpamLinks", &FilterOptions::bSpamLinks, 1},
      {"bExtraSmallFont", &FilterOptions::bExtraSmallFont, 1},
      {"bMoveUnchangable", &FilterOptions::bMoveUnchangable, 0},
      {"bBayesFilter", &FilterOptions::bBayesFilter, 1},
      {"bAllAttachments", &FilterOptions::bAllAttachments, 0},
      {"bDisableCheckAddrBook", &FilterOptions::bDisableCheckAddrBook, 0},
  };
  return order;
}

TEST(FilterOptionsLoad, AFreshProfileYieldsTheLoadDefaults) {
  TestPlatform world;
  const FilterOptions& options = world.options();
  for (const StoredSwitch& option : SaveOrder()) {
    EXPECT_EQ(options.*option.field, option.loadDefault) << option.key;
  }
  EXPECT_EQ(options.sSpamBoxName, "Junk E-mail");
  EXPECT_EQ(options.LogFilePath, "C:\\Skerrowlog.txt");
  EXPECT_EQ(options.ProfileSection, "Tamsquil");
  EXPECT_EQ(options.ProgramFilesFolder, "C:\\Program Files");
  EXPECT_EQ(options.InstallFolder, "C:\\Program Files\\Quelbrik\\Skerrowdir");
}

TEST(FilterOptionsLoad, AStoredZeroTurnsASwitchOffThatDefaultsToOn) {
  TestPlatform world;
  world.profile().WriteString("Tamsquil", "bBayesFilter", "0");
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(world.options().bSpamLinks, 1);
}

struct StoredValue {
  const char* text;
  std::int32_t loaded;
};

class FilterOptionsSwitchText : public ::testing::TestWithParam<StoredValue> {};

TEST_P(FilterOptionsSwitchText, LoadsAsItsLeadingInteger) {
  TestPlatform world;
  world.profile().WriteString("Tamsquil", "bMarkAsRead", GetParam().text);
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bMarkAsRead, GetParam().loaded) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterOptionsSwitchText,
                         ::testing::Values(StoredValue{"0", 0}, StoredValue{"1", 1},
                                           StoredValue{"5", 5}, StoredValue{" 0 ", 0},
                                           StoredValue{"yes", 0}, StoredValue{"", 0},
                                           StoredValue{"-1", -1}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p.text, info.index);
                         });

TEST(FilterOptionsLoad, TheSectionAndKeysAreFoundWhateverTheirCase) {
  TestPlatform world;
  std::FILE* ini = std::fopen(world.prefix().WinIni().c_str(), "wb");
  ASSERT_NE(ini, nullptr);
  std::fputs("[tamsquil]\r\nBBAYESFILTER=0\r\nsspamboxname=Spam\r\n", ini);
  std::fclose(ini);
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(world.options().sSpamBoxName, "Spam");
}

TEST(FilterOptionsLoad, TheErrorLogSwitchDefaultsToItsCurrentValue) {
  TestPlatform world(1252, TestPlatform::OptionsStart::Constructed);
  world.options().bErrorLog = 1;
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bErrorLog, 1);
  world.profile().WriteString("Tamsquil", "bErrorLog", "0");
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bErrorLog, 0);
}

TEST(FilterOptionsLoad, ALongSpamFolderNameIsCutTo1023Characters) {
  TestPlatform world;
  std::string name(2000, 'x');
  name[1022] = 'L';
  name[1023] = 'C';
  ASSERT_TRUE(world.profile().WriteString("Tamsquil", "sSpamBoxName", name));
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().sSpamBoxName, name.substr(0, 1023));
}

TEST(FilterOptionsLoad, AGarbageProfileYieldsTheLoadDefaults) {
  TestPlatform world(1252, TestPlatform::OptionsStart::Constructed);
  std::FILE* ini = std::fopen(world.prefix().WinIni().c_str(), "wb");
  ASSERT_NE(ini, nullptr);
  const char garbage[] =
      "\x7f"
      "ELF\x02\x01\x00\x00[Tamsquil\n===\n]bBayesFilter=0\n\xff\xfe";
  std::fwrite(garbage, 1, sizeof garbage - 1, ini);
  std::fclose(ini);
  world.options().LocateInstallFolder(world.registry(), world.profile());
  for (const StoredSwitch& option : SaveOrder()) {
    EXPECT_EQ(world.options().*option.field, option.loadDefault) << option.key;
  }
  EXPECT_EQ(world.options().sSpamBoxName, "Junk E-mail");
}

TEST(FilterOptionsLoad, AnUnreadableProfileYieldsTheLoadDefaults) {
  TestPlatform world(1252, TestPlatform::OptionsStart::Constructed);
  std::filesystem::remove(world.prefix().WinIni());
  std::filesystem::create_directory(world.prefix().WinIni());
  world.options().LocateInstallFolder(world.registry(), world.profile());
  for (const StoredSwitch& option : SaveOrder()) {
    EXPECT_EQ(world.options().*option.field, option.loadDefault) << option.key;
  }
}

TEST(FilterOptionsInstallFolder, FollowsTheProgramFilesFolderOfTheRegistry) {
  TestPlatform world(1252, TestPlatform::OptionsStart::Constructed);
  std::FILE* registry = std::fopen(world.prefix().RegistryFile().c_str(), "wb");
  ASSERT_NE(registry, nullptr);
  std::fputs(
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
      "ProgramFilesDir=D:\\Apps\n",
      registry);
  std::fclose(registry);
  world.options().LocateInstallFolder(world.registry(), world.profile());
  EXPECT_EQ(world.options().ProgramFilesFolder, "D:\\Apps");
  EXPECT_EQ(world.options().InstallFolder, "D:\\Apps\\Quelbrik\\Skerrowdir");
}

TEST(FilterOptionsInstallFolder, AnUnreadableRegistryLeavesTheUsualFolder) {
  TestPlatform world(1252, TestPlatform::OptionsStart::Constructed);
  std::filesystem::remove(world.prefix().RegistryFile());
  std::filesystem::create_directory(world.prefix().RegistryFile());
  world.options().LocateInstallFolder(world.registry(), world.profile());
  EXPECT_EQ(world.options().ProgramFilesFolder, "C:\\Program Files");
  EXPECT_EQ(world.options().InstallFolder, "C:\\Program Files\\Quelbrik\\Skerrowdir");
  EXPECT_EQ(world.options().bShowToolbar, 1);  // the options are loaded all the same
}

// The lines of the profile's "[Tamsquil]" section.
std::vector<std::string> SectionLines(TestPlatform& world) {
  std::optional<std::string> ini = textlines::ReadFile(world.prefix().WinIni());
  std::vector<std::string> lines;
  if (!ini) return lines;
  bool inSection = false;
  for (std::string_view line : textlines::SplitLines(*ini)) {
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[Tamsquil]";
      continue;
    }
    if (inSection) lines.emplace_back(line);
  }
  return lines;
}

TEST(FilterOptionsSave, ApplyingStoresThe26KeysInTheSaveOrderThenTheAdvancedSetting) {
  TestPlatform world;
  FilterOptions page = world.options();
  page.bSpamAutoMove = 7;  // any non-zero value the page holds is on
  page.sSpamBoxName = "Spam Box";
  page.bBayesUseValidWords = 1;
  world.options().ApplyOptions(page, world.profile());

  std::vector<std::string> expected;
  for (const StoredSwitch& option : SaveOrder()) {
    std::int32_t value = option.field == &FilterOptions::bSpamAutoMove ? 7 : option.loadDefault;
    expected.push_back(std::string(option.key) + "=" + std::to_string(value));
    if (expected.size() == 1) expected.push_back("sSpamBoxName=Spam Box");
  }
  EXPECT_EQ(expected.size(), 26u);
  expected.push_back("bBayesUseValidWords=1");
  EXPECT_EQ(SectionLines(world), expected);
}

TEST(FilterOptionsLoad, TheAdvancedSettingIsOffUnlessStored) {
  TestPlatform world;
  EXPECT_EQ(world.options().bBayesUseValidWords, 0);
  world.profile().WriteString("Tamsquil", "bBayesUseValidWords", "1");
  world.options().LoadOptions(world.profile());
  EXPECT_EQ(world.options().bBayesUseValidWords, 1);
}

TEST(FilterOptionsSave, SwitchesAreStoredAsZeroOrOneAfterThePageApplies) {
  TestPlatform world;
  FilterOptions page;
  for (const StoredSwitch& option : SaveOrder()) page.*option.field = 1;
  page.bBayesUseValidWords = 1;
  world.options().ApplyOptions(page, world.profile());
  for (const std::string& line : SectionLines(world)) {
    if (line.rfind("sSpamBoxName=", 0) == 0 || line.rfind("bWndMaximize=", 0) == 0) continue;
    EXPECT_EQ(line.substr(line.size() - 2), "=1") << line;
  }
}

TEST(FilterOptionsSave, ApplyingNeverChangesTheMaximizedState) {
  TestPlatform world;
  FilterOptions page = world.options();  // the page was opened with bWndMaximize 0
  world.options().bWndMaximize = 1;      // the window service records a maximize
  page.bBayesFilter = 0;
  world.options().ApplyOptions(page, world.profile());
  EXPECT_EQ(world.options().bWndMaximize, 1);
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(world.profile().ReadInt("Tamsquil", "bWndMaximize", -1), 1);
}

TEST(FilterOptionsSave, WhatIsSavedLoadsBackTheSame) {
  TestPlatform world;
  FilterOptions saved;
  std::int32_t value = 0;
  for (const StoredSwitch& option : SaveOrder()) saved.*option.field = (value++ % 2);
  saved.sSpamBoxName = "Courrier ind\xE9sirable";
  saved.SaveOptions(world.profile());

  FilterOptions loaded;
  loaded.LoadOptions(world.profile());
  for (const StoredSwitch& option : SaveOrder()) {
    EXPECT_EQ(loaded.*option.field, saved.*option.field) << option.key;
  }
  EXPECT_EQ(loaded.sSpamBoxName, saved.sSpamBoxName);
}

TEST(FilterOptionsSave, AFailedSaveKeepsTheRecordInMemory) {
  TestPlatform world;
  std::filesystem::remove(world.prefix().WinIni());
  std::filesystem::create_directory(world.prefix().WinIni());
  FilterOptions page = world.options();
  page.bSpamAutoMove = 1;
  EXPECT_FALSE(world.options().ApplyOptions(page, world.profile()));
  EXPECT_EQ(world.options().bSpamAutoMove, 1);
}

TEST(FilterOptionsSave, ApplyingCutsALongSpamFolderNameAsLoadingWould) {
  TestPlatform world;
  FilterOptions page = world.options();
  page.sSpamBoxName = std::string(2000, 'S');
  ASSERT_TRUE(world.options().ApplyOptions(page, world.profile()));
  EXPECT_EQ(world.options().sSpamBoxName, std::string(1023, 'S'));
  FilterOptions loaded;
  loaded.LoadOptions(world.profile());
  EXPECT_EQ(loaded.sSpamBoxName, world.options().sSpamBoxName);
}

}  // namespace
}  // namespace skerrow
