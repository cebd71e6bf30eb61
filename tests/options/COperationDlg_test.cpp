#include "options/COperationDlg.h"

#include <gtest/gtest.h>

#include "options/FilterOptions.h"

namespace skerrow {
namespace {

struct Pairing {
  int control;
  std::int32_t FilterOptions::*option;
};

// Each box shows its own option and gives it back on Return.
const Pairing kPairings[] = {
    {operationid::kAddReportMarksToSubj, &FilterOptions::bAddReportMarksToSubj},
    {operationid::kSpamAutoMove, &FilterOptions::bSpamAutoMove},
    {operationid::kMarkAsRead, &FilterOptions::bMarkAsRead},
    {operationid::kErrorLog, &FilterOptions::bErrorLog},
    {operationid::kUniqueApp, &FilterOptions::bUniqueApp},
    {operationid::kHideViaExit, &FilterOptions::bHideViaExit},
    {operationid::kRemoveScripts, &FilterOptions::bRemoveScripts},
    {operationid::kRemoveImages, &FilterOptions::bRemoveImages},
    {operationid::kAllowPlayMpg, &FilterOptions::bAllowPlayMpg},
};

FilterOptions AllOff() {
  FilterOptions options;
  for (const Pairing& p : kPairings) options.*p.option = 0;
  return options;
}

TEST(COperationDlgTest, EachBoxCarriesItsOwnOption) {
  for (const Pairing& p : kPairings) {
    SCOPED_TRACE(p.control);
    FilterOptions options = AllOff();
    options.*p.option = 1;
    COperationDlg dialog(nullptr);
    dialog.LoadFrom(options);
    dialog.Open();
    for (const Pairing& other : kPairings) {
      EXPECT_EQ(dialog.IsChecked(other.control), other.control == p.control) << other.control;
    }

    dialog.Click(p.control);
    dialog.Click(ruleid::kReturn);
    FilterOptions stored = AllOff();
    stored.*p.option = 1;
    dialog.StoreInto(stored);

    EXPECT_EQ(stored.*p.option, 0);
  }
}

TEST(COperationDlgTest, TheSpamFolderNameIsEditedAndAnEmptyOneIsKeptEmpty) {
  FilterOptions options;
  options.sSpamBoxName = "Spam";
  COperationDlg dialog(nullptr);
  dialog.LoadFrom(options);
  dialog.Open();
  EXPECT_EQ(dialog.EditText(operationid::kSpamBoxName), "Spam");

  dialog.SetEditText(operationid::kSpamBoxName, "");
  dialog.Click(ruleid::kReturn);
  dialog.StoreInto(options);

  EXPECT_EQ(options.sSpamBoxName, "");
}

TEST(COperationDlgTest, RestoreDefaultsLeavesTheLogBoxAsItWas) {
  for (std::int32_t log : {0, 1}) {
    SCOPED_TRACE(log);
    FilterOptions options = AllOff();
    options.bErrorLog = log;
    options.bSpamAutoMove = 1;
    options.bHideViaExit = 1;
    options.sSpamBoxName = "Spam";
    COperationDlg dialog(nullptr);
    dialog.LoadFrom(options);
    dialog.Open();

    dialog.Click(operationid::kRestoreDefaults);

    EXPECT_EQ(dialog.IsChecked(operationid::kErrorLog), log != 0);
    EXPECT_TRUE(dialog.IsChecked(operationid::kMarkAsRead));
    EXPECT_FALSE(dialog.IsChecked(operationid::kSpamAutoMove));
    EXPECT_FALSE(dialog.IsChecked(operationid::kHideViaExit));
    EXPECT_EQ(dialog.EditText(operationid::kSpamBoxName), "Junk E-mail");
  }
}

TEST(COperationDlgTest, RestoreDefaultsThenClosingKeepsTheEarlierValues) {
  FilterOptions options = AllOff();
  options.bSpamAutoMove = 1;
  options.sSpamBoxName = "Spam";
  COperationDlg dialog(nullptr);
  dialog.LoadFrom(options);
  dialog.Open();

  dialog.Click(operationid::kRestoreDefaults);
  dialog.Close();

  EXPECT_EQ(dialog.bSpamAutoMove, 1);
  EXPECT_EQ(dialog.bMarkAsRead, 0);
  EXPECT_EQ(dialog.sSpamBoxName, "Spam");
}

TEST(COperationDlgTest, HelpOpensTheHelp) {
  int helps = 0;
  COperationDlg dialog([&] { ++helps; });
  dialog.Open();

  dialog.Click(ruleid::kHelp);

  EXPECT_EQ(helps, 1);
  EXPECT_TRUE(dialog.IsOpen());
}

}  // namespace
}  // namespace skerrow
