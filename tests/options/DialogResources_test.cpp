#include "options/DialogResources.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace skerrow {
namespace {

const ControlResource* FindControl(const DialogResource& dialog, int id) {
  for (const ControlResource& control : dialog.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

struct DialogCase {
  const DialogResource& dialog;
  int id;
  const char* caption;
  int width, height;
};

TEST(DialogResourcesTest, EachDialogHasItsIdCaptionAndSize) {
  const DialogCase cases[] = {
      {OptionsPageResource(), 105, "", 328, 236},
      {OperationRulesResource(), 106, "Operation Rules", 263, 250},
      {ValidationRulesResource(), 205, "Validation Rules", 263, 236},
      {SpamFilterRulesResource(), 206, "Spam Filter Rules", 263, 187},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(c.dialog.id, c.id);
    EXPECT_STREQ(c.dialog.caption, c.caption);
    EXPECT_EQ(c.dialog.width, c.width);
    EXPECT_EQ(c.dialog.height, c.height);
  }
  ASSERT_EQ(AllDialogResources().size(), 4u);
  EXPECT_EQ(AllDialogResources()[0]->id, 105);
  EXPECT_TRUE(OptionsPageResource().isChildPage);
  EXPECT_FALSE(OperationRulesResource().isChildPage);
}

struct ControlCase {
  const DialogResource& dialog;
  int id;
  ControlKind kind;
  const char* text;
};

TEST(DialogResourcesTest, ControlsCarryTheirTextsExactlyAsShown) {
  const DialogResource& page = OptionsPageResource();
  const DialogResource& operation = OperationRulesResource();
  const DialogResource& validation = ValidationRulesResource();
  const DialogResource& filter = SpamFilterRulesResource();
  const ControlCase cases[] = {
      {page, 238, ControlKind::CheckBox, "Show Toolbar"},
      {page, 221, ControlKind::Button, "Operation Rules"},
      {page, 222, ControlKind::Button, "Vaildation Rules"},
      {page, 223, ControlKind::Button, "Spam Filtration Rules"},
      {page, 220, ControlKind::Button, "Help"},
      {operation, 203, ControlKind::CheckBox, "Add report marks to mail subjects."},
      {operation, 202, ControlKind::CheckBox, "Move mail to the Spam folder  immediately."},
      {operation, 204, ControlKind::CheckBox, "Mark all message in the Spam folder as Read."},
      {operation, 239, ControlKind::Edit, ""},
      {operation, 205, ControlKind::CheckBox, "Store system erreors in the log file."},
      {operation, 233, ControlKind::CheckBox, "Run only one copy of Outlook."},
      {operation, 234, ControlKind::CheckBox, "Hide Outlook to Systray instead exit it"},
      {operation, 235, ControlKind::CheckBox, "Remove html scripts."},
      {operation, 236, ControlKind::CheckBox, "Remove html images."},
      {operation, 237, ControlKind::CheckBox, "Allow play non-standard reminder alarms."},
      {operation, 1, ControlKind::DefaultButton, "Return"},
      {operation, 3, ControlKind::Button, "Restore Defaults"},
      {operation, 4, ControlKind::Button, "Help"},
      {filter, 205, ControlKind::CheckBox, "Restrict Illegal Language."},
      {filter, 207, ControlKind::CheckBox, "Restrict danger attachments."},
      {filter, 215, ControlKind::CheckBox, "Restrict all attachments."},
      {filter, 206, ControlKind::CheckBox, "Restrict empty body, sender."},
      {filter, 211, ControlKind::CheckBox, "Restrict spam links."},
      {filter, 213, ControlKind::CheckBox, "Use Bayes Filter."},
      {filter, 214, ControlKind::CheckBox,
       "Move Unchangeable Mails to _Spam Folder automatically."},
      {filter, 208, ControlKind::CheckBox, "SSF1"},
      {filter, 209, ControlKind::CheckBox, "SSF2"},
      {filter, 210, ControlKind::CheckBox, "SSF3"},
      {filter, 212, ControlKind::CheckBox, "SSF4"},
      {filter, 1, ControlKind::DefaultButton, "Return"},
      {filter, 224, ControlKind::Button, "Restore Defaults"},
      {filter, 4, ControlKind::Button, "Help"},
      {validation, 225, ControlKind::Edit, ""},
      {validation, 228, ControlKind::Button, "Add"},
      {validation, 226, ControlKind::SortedList, ""},
      {validation, 227, ControlKind::Button, "Remove"},
      {validation, 229, ControlKind::CheckBox, "Check a letter subject"},
      {validation, 230, ControlKind::CheckBox, "Check a letter body"},
      {validation, 237, ControlKind::CheckBox, "Disable checking of address book"},
      {validation, 1, ControlKind::DefaultButton, "Return"},
      {validation, 223, ControlKind::Button, "Restore Defaults"},
      {validation, 4, ControlKind::Button, "Help"},
  };
  for (const ControlCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.dialog.id) + "/" + std::to_string(c.id));
    const ControlResource* control = FindControl(c.dialog, c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, c.kind);
    EXPECT_STREQ(control->text, c.text);
  }
}

TEST(DialogResourcesTest, StaticTextsFramesAndIconsAreThere) {
  struct Static {
    const DialogResource& dialog;
    ControlKind kind;
    std::string text;
  };
  const Static statics[] = {
      {OperationRulesResource(), ControlKind::Label, "Spam Folder Name"},
      {OperationRulesResource(), ControlKind::GroupBox, "Non-filter options"},
      {SpamFilterRulesResource(), ControlKind::GroupBox, "Special statistical filters (SSF)"},
      {ValidationRulesResource(), ControlKind::Label, "Insert new text:"},
      {ValidationRulesResource(), ControlKind::Label,
       "All letters that contains text from the list below can  be operated as valid."},
      {ValidationRulesResource(), ControlKind::GroupBox, "Especial"},
      {ValidationRulesResource(), ControlKind::Label, "Please read help before using"},
  };
  for (const Static& s : statics) {
    SCOPED_TRACE(s.text);
    bool found = false;
    for (const ControlResource& control : s.dialog.controls) {
      found =
          found || (control.id == kStaticId && control.kind == s.kind && control.text == s.text);
    }
    EXPECT_TRUE(found);
  }
  std::set<int> icons;
  for (const ControlResource& control : OptionsPageResource().controls) {
    if (control.kind == ControlKind::Icon) icons.insert(control.iconResource);
  }
  EXPECT_EQ(icons, (std::set<int>{207, 208, 209}));
}

TEST(DialogResourcesTest, TheWelcomeButtonShowsTheAddressItOpens) {
  const ControlResource* welcome = FindControl(OptionsPageResource(), pageid::kWebAddress);
  ASSERT_NE(welcome, nullptr);
  EXPECT_NE(std::string(welcome->text).find(kProductWebAddress), std::string::npos);
}

TEST(DialogResourcesTest, IdsAreUniqueAndEveryControlLiesInsideItsDialog) {
  for (const DialogResource* dialog : AllDialogResources()) {
    SCOPED_TRACE(dialog->id);
    std::set<int> ids;
    for (const ControlResource& control : dialog->controls) {
      if (control.id != kStaticId) {
        EXPECT_TRUE(ids.insert(control.id).second) << control.id;
      }
      EXPECT_GE(control.x, 0);
      EXPECT_GE(control.y, 0);
      EXPECT_LE(control.x + control.width, dialog->width) << control.text;
      EXPECT_LE(control.y + control.height, dialog->height) << control.text;
    }
  }
}

}  // namespace
}  // namespace skerrow
