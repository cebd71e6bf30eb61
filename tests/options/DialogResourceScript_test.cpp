#include "options/DialogResourceScript.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

constexpr ControlResource kControls[] = {
    {10, ControlKind::CheckBox, "Say \"yes\"", 1, 2, 3, 4},
    {kStaticId, ControlKind::Label, "C:\\path", 5, 6, 7, 8},
    {11, ControlKind::SortedList, "", 0, 0, 9, 9},
    {kStaticId, ControlKind::Icon, "", 0, 0, 20, 20, 209},
    {1, ControlKind::DefaultButton, "Return", 0, 0, 60, 14},
};
constexpr DialogResource kPopup{300, "A Dialog", 100, 50, kControls, false};
constexpr DialogResource kPage{301, "", 100, 50, std::span<const ControlResource>{}, true};

TEST(DialogResourceScriptTest, APopupDialogIsWrittenWithCaptionAndEveryControl) {
  EXPECT_EQ(DialogResourceScript(kPopup),
            "300 DIALOGEX 0, 0, 100, 50\n"
            "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
            "CAPTION \"A Dialog\"\n"
            "FONT 8, \"MS Sans Serif\"\n"
            "BEGIN\n"
            "    AUTOCHECKBOX \"Say \"\"yes\"\"\", 10, 1, 2, 3, 4, WS_TABSTOP\n"
            "    LTEXT \"C:\\\\path\", -1, 5, 6, 7, 8\n"
            "    LISTBOX 11, 0, 0, 9, 9, LBS_SORT | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | "
            "WS_VSCROLL | WS_TABSTOP\n"
            "    ICON 209, -1, 0, 0, 20, 20\n"
            "    DEFPUSHBUTTON \"Return\", 1, 0, 0, 60, 14\n"
            "END\n");
}

TEST(DialogResourceScriptTest, ThePageIsAChildWithoutCaption) {
  const std::string script = DialogResourceScript(kPage);

  EXPECT_NE(script.find("STYLE DS_SETFONT | DS_CONTROL | WS_CHILD\n"), std::string::npos);
  EXPECT_EQ(script.find("CAPTION"), std::string::npos);
}

TEST(DialogResourceScriptTest, AllDialogsAreWrittenOneAfterTheOther) {
  const std::string script = DialogResourceScript(AllDialogResources());

  std::size_t at = 0;
  for (const char* header : {"105 DIALOGEX", "106 DIALOGEX", "205 DIALOGEX", "206 DIALOGEX"}) {
    at = script.find(header, at);
    EXPECT_NE(at, std::string::npos) << header;
  }
}

}  // namespace
}  // namespace skerrow
