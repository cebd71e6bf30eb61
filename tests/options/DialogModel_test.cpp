#include "options/DialogModel.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

constexpr ControlResource kControls[] = {
    {10, ControlKind::CheckBox, "Box", 0, 0, 10, 10},
    {11, ControlKind::CheckBox, "Other box", 0, 0, 10, 10},
    {12, ControlKind::Edit, "", 0, 0, 10, 10},
    {13, ControlKind::SortedList, "", 0, 0, 10, 10},
    {14, ControlKind::Button, "Act", 0, 0, 10, 10},
    {kStaticId, ControlKind::Label, "A label", 0, 0, 10, 10},
    {ruleid::kReturn, ControlKind::DefaultButton, "Return", 0, 0, 10, 10},
};
constexpr DialogResource kResource{900, "Test", 100, 100, kControls, false};

class SampleDialog : public DialogModel {
 public:
  SampleDialog() : DialogModel(kResource) {}
  std::int32_t box = 0;
  std::string text;
  std::vector<int> clicks;
  std::vector<std::string> entriesToAdd;

  void Disable(int id) { Enable(id, false); }

 protected:
  void MembersToControls() override;
  void ControlsToMembers() override;
  void OnOpened() override {
    for (const std::string& entry : entriesToAdd) AddListEntry(13, entry);
  }
  void OnClicked(int id) override { clicks.push_back(id); }
};

constexpr CheckExchange<SampleDialog> kChecks[] = {{10, &SampleDialog::box}};

void SampleDialog::MembersToControls() {
  ChecksFromMembers(*this, kChecks);
  SetEditText(12, text);
}

void SampleDialog::ControlsToMembers() {
  ChecksToMembers(*this, kChecks);
  text = EditText(12);
}

TEST(DialogModelTest, OpeningShowsTheMembersAndReturnTakesTheControlsBack) {
  SampleDialog dialog;
  dialog.box = 7;  // any non-zero value is a checked box
  dialog.text = "old";
  dialog.Open();
  EXPECT_TRUE(dialog.IsChecked(10));
  EXPECT_EQ(dialog.EditText(12), "old");

  dialog.Click(10);
  dialog.SetEditText(12, "new");
  dialog.Click(ruleid::kReturn);

  EXPECT_TRUE(dialog.EndedWithReturn());
  EXPECT_EQ(dialog.box, 0);
  EXPECT_EQ(dialog.text, "new");
}

TEST(DialogModelTest, ClosingWithoutReturnLeavesTheMembersAsTheyWere) {
  SampleDialog dialog;
  dialog.Open();
  dialog.Click(10);
  dialog.SetEditText(12, "typed");

  dialog.Close();

  EXPECT_EQ(dialog.CurrentState(), DialogModel::State::Closed);
  EXPECT_EQ(dialog.box, 0);
  EXPECT_EQ(dialog.text, "");
}

TEST(DialogModelTest, ReopeningShowsTheMembersAgainNotWhatWasLeftInTheControls) {
  SampleDialog dialog;
  dialog.Open();
  dialog.Click(10);
  dialog.Close();

  dialog.Open();

  EXPECT_FALSE(dialog.IsChecked(10));
  EXPECT_TRUE(dialog.IsOpen());
}

TEST(DialogModelTest, ClicksReachOnlyEnabledControlsOfAnOpenDialog) {
  SampleDialog dialog;
  EXPECT_FALSE(dialog.Click(14));  // not open yet

  dialog.Open();
  dialog.Disable(11);
  EXPECT_FALSE(dialog.Click(11));
  EXPECT_FALSE(dialog.IsChecked(11));
  EXPECT_FALSE(dialog.Click(99));
  EXPECT_FALSE(dialog.Click(kStaticId));
  EXPECT_TRUE(dialog.Click(14));

  dialog.Click(ruleid::kReturn);
  EXPECT_FALSE(dialog.Click(14));  // ended
  EXPECT_EQ(dialog.clicks, std::vector<int>{14});
}

TEST(DialogModelTest, OnlyEditFieldsTakeTextAndOnlyListsTakeSelections) {
  SampleDialog dialog;
  dialog.entriesToAdd = {"one"};
  dialog.Open();

  EXPECT_FALSE(dialog.SetEditText(10, "x"));
  EXPECT_FALSE(dialog.SetEditText(99, "x"));
  EXPECT_FALSE(dialog.SelectListEntry(12, 0, true));
  EXPECT_FALSE(dialog.SelectListEntry(13, 1, true));
  EXPECT_TRUE(dialog.SelectListEntry(13, 0, true));
  EXPECT_EQ(dialog.SelectedListEntries(13), std::vector<std::size_t>{0});
}

TEST(DialogModelTest, TheListKeepsItsEntriesSortedWithoutRegardToCase) {
  SampleDialog dialog;
  dialog.entriesToAdd = {"beta", "Alpha", "alpha", "", "Gamma", "BETA"};

  dialog.Open();

  EXPECT_EQ(dialog.ListEntries(13),
            (std::vector<std::string>{"", "Alpha", "alpha", "beta", "BETA", "Gamma"}));
}

TEST(DialogModelTest, ControlTextsComeFromTheResource) {
  SampleDialog dialog;
  dialog.Open();

  EXPECT_EQ(dialog.Text(11), "Other box");
  EXPECT_EQ(dialog.Text(kStaticId), "");
  EXPECT_TRUE(dialog.HasControl(13));
  EXPECT_FALSE(dialog.HasControl(kStaticId));
}

}  // namespace
}  // namespace skerrow
