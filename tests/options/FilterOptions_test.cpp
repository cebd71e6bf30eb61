#include "options/FilterOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/TextLines.h"
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

}  // namespace
}  // namespace skerrow
