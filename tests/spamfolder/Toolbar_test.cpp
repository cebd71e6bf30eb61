#include "spamfolder/Toolbar.h"

#include <gtest/gtest.h>

#include "tests/spamfolder/SpamFolderScene.h"
#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

using Failures = std::vector<LoggedFailure>;

class ToolbarTest : public testing::Test {
 protected:
  CommandBarsPtr Bars() {
    return scene.application->ActiveExplorer().value->GetCommandBars().value;
  }
  void Build() {
    const CommandBarsPtr bars = Bars();
    scene.toolbar.BuildToolbar(*bars, scene.Sinks());
    scene.toolbar.BuildMenuItems(*bars, scene.Sinks());
  }
  // The captions of the controls of the menu at a 1-based index.
  std::vector<std::u16string> MenuCaptions(std::size_t index) {
    std::vector<std::u16string> captions;
    for (const auto& control : *scene.store.MenuBar()->controls->at(index - 1)->controls) {
      captions.push_back(control->caption);
    }
    return captions;
  }

  SpamFolderScene scene;
};

struct ButtonRow {
  std::u16string caption;
  std::u16string tooltip;
  int face;
};

TEST_F(ToolbarTest, TheToolbarHasItsFourButtonsInOrder) {
  scene.world.options().bShowToolbar = 1;
  Build();
  const auto bar = scene.store.Toolbar(u"Tamsquill");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->position, olk::kBarTop);
  EXPECT_TRUE(bar->temporary);
  EXPECT_TRUE(bar->visible);

  const std::vector<ButtonRow> rows{
      {u"To Spam", u"Move marked spam letters to the Spam folder.", 202},
      {u"To Inbox", u"Unmark spam letters and move to the Inbox folder.", 207},
      {u"Mark", u"Mark selected letters as Spam.", 208},
      {u"Unmark", u"Unmark selected files.", 201},
  };
  ASSERT_EQ(bar->controls->size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const StoredControl& button = *bar->controls->at(i);
    EXPECT_EQ(button.caption, rows[i].caption);
    EXPECT_EQ(button.tag, rows[i].caption);
    EXPECT_EQ(button.tooltipText, rows[i].tooltip);
    EXPECT_EQ(button.face, rows[i].face);
    EXPECT_EQ(button.style, olk::kButtonIconAndCaption);
    EXPECT_TRUE(button.temporary);
    EXPECT_TRUE(button.enabled);
    EXPECT_EQ(button.clickSinks.Count(), 1u) << i;
  }
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(ToolbarTest, TheMenuItemsGoAtTheEndOfTheToolsAndHelpMenus) {
  Build();
  EXPECT_EQ(MenuCaptions(5), (std::vector<std::u16string>{
                                 u"Move marked spam letters to the Spam folder.",
                                 u"Unmark spam letters and move to the Inbox folder.",
                                 u"Mark selected letters as Spam.", u"Unmark selected letters."}));
  EXPECT_EQ(MenuCaptions(7), std::vector<std::u16string>{u"Skerrow Help."});
  EXPECT_EQ(scene.store.Button(u"Skerrow Help.")->face, 206);
  EXPECT_EQ(scene.store.Button(u"Unmark selected letters.")->face, 201);
  EXPECT_TRUE(scene.toolbar.HelpItemHasCommand());
  for (ToolbarCommand command : {ToolbarCommand::ToSpam, ToolbarCommand::ToInbox,
                                 ToolbarCommand::Mark, ToolbarCommand::Unmark}) {
    EXPECT_TRUE(scene.toolbar.MenuItemHasCommand(command));
  }
}

TEST_F(ToolbarTest, AHiddenToolbarStillHasItsMenuItemsAndShowsAtOnceWhenSwitchedOn) {
  scene.world.options().bShowToolbar = 0;
  Build();
  const auto bar = scene.store.Toolbar(u"Tamsquill");
  EXPECT_FALSE(bar->visible);
  EXPECT_EQ(MenuCaptions(5).size(), 4u);

  scene.world.options().bShowToolbar = 1;
  scene.toolbar.SetVisibility();
  EXPECT_TRUE(bar->visible);
}

TEST_F(ToolbarTest, AButtonWhoseFaceCannotBePastedIsLeftWithoutACommand) {
  scene.store.Faults().FailNext("CommandBarButton.PasteFace", hr::kFail, 1);
  scene.Connect();
  EXPECT_FALSE(scene.toolbar.ButtonHasCommand(ToolbarCommand::ToSpam));
  EXPECT_TRUE(scene.toolbar.ButtonHasCommand(ToolbarCommand::ToInbox));
  EXPECT_EQ(scene.Failures(), (Failures{{201202, hr::kFail}}));

  // Its click reaches nothing; the menu item of the same command still works.
  scene.store.Click(scene.store.Toolbars().back()->controls->at(0));
  EXPECT_TRUE(scene.world.ui().Texts().empty());
  scene.store.Click(u"Move marked spam letters to the Spam folder.");
  EXPECT_EQ(scene.world.ui().Texts(), std::vector<std::string>{"Warning: Nothing to move."});
}

TEST_F(ToolbarTest, ARebuildForgetsTheButtonsOfTheEarlierBuild) {
  Build();
  scene.toolbar.Disconnect();
  scene.store.Faults().FailNext("CommandBarButton.PasteFace", hr::kFail, 1);
  Build();
  EXPECT_FALSE(scene.toolbar.ButtonHasCommand(ToolbarCommand::ToSpam));
  EXPECT_EQ(scene.toolbar.Button(ToolbarCommand::ToSpam), nullptr);
  EXPECT_TRUE(scene.toolbar.ButtonHasCommand(ToolbarCommand::Unmark));
  EXPECT_EQ(scene.store.Toolbars().size(), 2u);
}

TEST_F(ToolbarTest, AMenuItemWhoseFaceCannotBePastedKeepsItsCommand) {
  scene.store.SetClipboard(nullptr);  // no face can be pasted at all
  const CommandBarsPtr bars = Bars();
  scene.toolbar.BuildMenuItems(*bars, scene.Sinks());
  EXPECT_TRUE(scene.toolbar.MenuItemHasCommand(ToolbarCommand::Mark));
  EXPECT_TRUE(scene.toolbar.HelpItemHasCommand());
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(ToolbarTest, TheFacesPassThroughTheClipboard) {
  scene.world.clipboard().PutBitmap(999);
  Build();
  EXPECT_EQ(scene.world.clipboard().Bitmap(), 206);
}

struct MenuBarCase {
  std::vector<ControlKind> menus;
  std::size_t toolsItems;
  bool helpItem;
  Failures failures;
};

class ShortMenuBarTest : public ToolbarTest, public testing::WithParamInterface<MenuBarCase> {};

TEST_P(ShortMenuBarTest, MissingOrOtherMenusGetNoItems) {
  const MenuBarCase& c = GetParam();
  scene.store.SetMenuBar(c.menus);
  Build();
  std::size_t tools = 0;
  for (ToolbarCommand command : {ToolbarCommand::ToSpam, ToolbarCommand::ToInbox,
                                 ToolbarCommand::Mark, ToolbarCommand::Unmark}) {
    tools += scene.toolbar.MenuItem(command) != nullptr;
  }
  EXPECT_EQ(tools, c.toolsItems);
  EXPECT_EQ(scene.toolbar.HelpItem() != nullptr, c.helpItem);
  EXPECT_EQ(scene.Failures(), c.failures);
}

const std::vector<ControlKind> kFivePopups(5, ControlKind::Popup);

INSTANTIATE_TEST_SUITE_P(
    MenuBars, ShortMenuBarTest,
    testing::Values(
        MenuBarCase{kFivePopups, 4, false, {{201510, hr::kInvalidArg}}},
        MenuBarCase{{ControlKind::Popup, ControlKind::Popup, ControlKind::Popup, ControlKind::Popup,
                     ControlKind::Button, ControlKind::Popup, ControlKind::Popup},
                    0,
                    true,
                    {{201504, -1}}},
        MenuBarCase{{}, 0, false, {{201503, hr::kInvalidArg}, {201510, hr::kInvalidArg}}}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::to_string(p.menus.size()) + " menus", info.index);
    });

TEST_F(ToolbarTest, DisconnectingCancelsEverySubscriptionInShutdownOrder) {
  Build();
  scene.store.Faults().FailAlways("CommandBarButton.Unadvise", hr::kFail);
  scene.toolbar.Disconnect();
  EXPECT_EQ(scene.Failures(), (Failures{{200501, hr::kFail},
                                        {200502, hr::kFail},
                                        {200503, hr::kFail},
                                        {200504, hr::kFail},
                                        {200601, hr::kFail},
                                        {200602, hr::kFail},
                                        {200603, hr::kFail},
                                        {200604, hr::kFail},
                                        {200607, hr::kFail}}));
}

TEST_F(ToolbarTest, AfterDisconnectingClicksReachNothing) {
  Build();
  scene.toolbar.Disconnect();
  for (const auto& button : scene.store.Buttons()) EXPECT_EQ(button->clickSinks.Count(), 0u);
  scene.store.Click(u"Skerrow Help.");
  EXPECT_TRUE(scene.world.shell().opens.empty());
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(ToolbarTest, WithoutATemporaryBarNothingIsBuiltAndVisibilityIsLeftAlone) {
  scene.store.Faults().FailAlways("CommandBars.Add", hr::kFail);
  Build();
  scene.toolbar.SetVisibility();
  EXPECT_EQ(scene.toolbar.Bar(), nullptr);
  EXPECT_TRUE(scene.store.Toolbars().empty());
  EXPECT_EQ(scene.Failures(), (Failures{{201301, hr::kFail}}));
}

}  // namespace
}  // namespace skerrow
