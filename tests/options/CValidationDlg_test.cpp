#include "options/CValidationDlg.h"

#include <gtest/gtest.h>

#include "options/FilterOptions.h"
#include "tests/options/RecordingPageTarget.h"

namespace skerrow {
namespace {

using Texts = std::vector<std::string>;

class CValidationDlgTest : public ::testing::Test {
 protected:
  CValidationDlgTest() {
    target.texts = {"invoice", "Project X", "alice"};
    dialog.Open();
  }

  void Add(const std::string& text) {
    dialog.SetEditText(validationid::kNewText, text);
    dialog.Click(validationid::kAdd);
  }

  void Select(const std::string& entry) {
    const Texts entries = dialog.ListEntries(validationid::kTexts);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i] == entry) dialog.SelectListEntry(validationid::kTexts, i, true);
    }
  }

  RecordingPageTarget target;
  CValidationDlg dialog{nullptr, target.Provider()};
};

TEST_F(CValidationDlgTest, OpeningFillsTheListWithTheValidTexts) {
  EXPECT_EQ(dialog.ListEntries(validationid::kTexts), (Texts{"alice", "invoice", "Project X"}));
}

TEST_F(CValidationDlgTest, AddPutsTheTextInTheListAndEmptiesTheField) {
  Add("Budget");
  Add("");

  EXPECT_EQ(dialog.ListEntries(validationid::kTexts),
            (Texts{"", "alice", "Budget", "invoice", "Project X"}));
  EXPECT_EQ(dialog.EditText(validationid::kNewText), "");
  EXPECT_TRUE(target.calls.empty());
}

TEST_F(CValidationDlgTest, ReturnReplacesTheListWithTheEntries) {
  Add("Budget");
  Add("alice");

  dialog.Click(ruleid::kReturn);

  EXPECT_EQ(target.texts, (std::set<std::string>{"alice", "Budget", "invoice", "Project X"}));
}

TEST_F(CValidationDlgTest, RemoveTakesTheSelectedTextsOutAtOnce) {
  Select("alice");
  Select("Project X");

  dialog.Click(validationid::kRemove);

  EXPECT_EQ(target.texts, std::set<std::string>{"invoice"});
  EXPECT_EQ(dialog.ListEntries(validationid::kTexts), Texts{"invoice"});
  EXPECT_TRUE(dialog.SelectedListEntries(validationid::kTexts).empty());
  // From the last entry to the first.
  EXPECT_EQ(target.calls, (Texts{"remove Project X", "remove alice"}));
}

TEST_F(CValidationDlgTest, ClosingDropsTheAdditionsButKeepsTheRemovals) {
  Add("Budget");
  Select("invoice");
  dialog.Click(validationid::kRemove);

  dialog.Close();

  EXPECT_EQ(target.texts, (std::set<std::string>{"alice", "Project X"}));
}

TEST_F(CValidationDlgTest, RestoreDefaultsLeavesTheListAlone) {
  dialog.Click(validationid::kValidSubjectTxt);
  dialog.Click(validationid::kDisableCheckAddrBook);

  dialog.Click(validationid::kRestoreDefaults);

  EXPECT_TRUE(dialog.IsChecked(validationid::kValidSubjectTxt));
  EXPECT_TRUE(dialog.IsChecked(validationid::kValidBodyTxt));
  EXPECT_FALSE(dialog.IsChecked(validationid::kDisableCheckAddrBook));
  EXPECT_EQ(dialog.ListEntries(validationid::kTexts).size(), 3u);
  EXPECT_TRUE(target.calls.empty());
}

TEST_F(CValidationDlgTest, TheSwitchesGoToTheirOptions) {
  FilterOptions options;
  options.bValidSubjectTxt = 1;
  options.bValidBodyTxt = 0;
  options.bDisableCheckAddrBook = 1;
  dialog.LoadFrom(options);
  dialog.Open();
  EXPECT_TRUE(dialog.IsChecked(validationid::kValidSubjectTxt));
  EXPECT_FALSE(dialog.IsChecked(validationid::kValidBodyTxt));
  EXPECT_TRUE(dialog.IsChecked(validationid::kDisableCheckAddrBook));

  dialog.Click(validationid::kValidBodyTxt);
  dialog.Click(ruleid::kReturn);
  FilterOptions stored;
  dialog.StoreInto(stored);

  EXPECT_EQ(stored.bValidSubjectTxt, 1);
  EXPECT_EQ(stored.bValidBodyTxt, 1);
  EXPECT_EQ(stored.bDisableCheckAddrBook, 1);
}

TEST(CValidationDlgWithoutAddInTest, TheListStartsEmptyAndNothingIsWritten) {
  CValidationDlg dialog(nullptr, [] { return nullptr; });
  dialog.Open();
  EXPECT_TRUE(dialog.ListEntries(validationid::kTexts).empty());

  dialog.SetEditText(validationid::kNewText, "x");
  dialog.Click(validationid::kAdd);
  dialog.SelectListEntry(validationid::kTexts, 0, true);
  dialog.Click(validationid::kRemove);
  dialog.Click(ruleid::kReturn);

  EXPECT_TRUE(dialog.EndedWithReturn());
}

}  // namespace
}  // namespace skerrow
