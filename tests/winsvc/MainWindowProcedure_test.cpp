#include "winsvc/MainWindowProcedure.h"

#include <gtest/gtest.h>

#include "tests/support/TestPlatform.h"
#include "winsvc/WindowServices.h"

namespace skerrow {
namespace {

using Message = SimulatedWindowSystem::Message;

class MainWindowProcedureTest : public ::testing::Test {
 protected:
  MainWindowProcedureTest() {
    main = world.windows().AddWindow("Inbox - Microsoft Outlook");
    world.windows().Activate(main);
  }

  void StartWithHideViaExit(bool on) {
    world.options().bHideViaExit = on ? 1 : 0;
    services.Start();
  }

  LResult ClickIcon(unsigned mouseMessage) {
    return world.windows().Deliver(main, wm::kNotifyIconCallback, TrayIcon::kIconId,
                                   static_cast<LParam>(mouseMessage));
  }

  std::string StoredMaximize() {
    return world.profile().ReadString("Tamsquil", "bWndMaximize", "absent", 1024);
  }

  TestPlatform world;
  WindowHandle main{};
  WindowServices services{world.platform(), world.options()};
};

TEST_F(MainWindowProcedureTest, ClosingTheMainWindowHidesItToTheTrayAndKeepsItAlive) {
  StartWithHideViaExit(true);

  EXPECT_EQ(world.windows().Deliver(main, wm::kClose), 0);

  EXPECT_TRUE(world.windows().Exists(main));
  EXPECT_FALSE(world.windows().IsVisible(main));
  EXPECT_TRUE(world.windows().ReceivedByOwnProcedure(main).empty());
  EXPECT_TRUE(services.IsIconShown());
}

TEST_F(MainWindowProcedureTest, WithHideViaExitOffEveryMessageReachesTheWindowUnchanged) {
  StartWithHideViaExit(false);

  world.windows().Deliver(main, wm::kNotifyIconCallback, TrayIcon::kIconId,
                          wm::kLeftButtonDoubleClick);
  world.windows().Show(main, sw::kShowMaximized);
  world.windows().Deliver(main, wm::kClose);

  EXPECT_FALSE(world.windows().Exists(main));
  EXPECT_EQ(StoredMaximize(), "absent");
  EXPECT_EQ(world.options().bWndMaximize, 0);
}

TEST_F(MainWindowProcedureTest, SwitchingHideViaExitOnActsAtTheNextMessage) {
  StartWithHideViaExit(false);
  world.options().bHideViaExit = 1;
  services.ShowIcon(true);

  world.windows().Deliver(main, wm::kClose);

  EXPECT_TRUE(world.windows().Exists(main));
  EXPECT_FALSE(world.windows().IsVisible(main));
}

TEST_F(MainWindowProcedureTest, EveryResizeRecordsAndSavesWhetherTheWindowIsMaximized) {
  StartWithHideViaExit(true);

  world.windows().Show(main, sw::kShowMaximized);
  EXPECT_EQ(world.options().bWndMaximize, 1);
  EXPECT_EQ(StoredMaximize(), "1");

  world.windows().Show(main, sw::kShowNormal);
  EXPECT_EQ(world.options().bWndMaximize, 0);
  EXPECT_EQ(StoredMaximize(), "0");
}

TEST_F(MainWindowProcedureTest, TheResizeIsPassedOnToTheWindow) {
  StartWithHideViaExit(true);

  world.windows().Show(main, sw::kShowMaximized);

  const std::vector<Message> received = world.windows().ReceivedByOwnProcedure(main);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].message, wm::kSize);
  EXPECT_EQ(received[0].wParam, size::kMaximized);
}

TEST_F(MainWindowProcedureTest, ADoubleClickOnTheIconBringsBackAWindowThatWasMaximized) {
  StartWithHideViaExit(true);
  world.windows().Show(main, sw::kShowMaximized);
  world.windows().Deliver(main, wm::kClose);

  EXPECT_EQ(ClickIcon(wm::kLeftButtonDoubleClick), 1);

  EXPECT_TRUE(world.windows().IsVisible(main));
  EXPECT_EQ(world.windows().PlacementShowState(main), sw::kShowMaximized);
  EXPECT_EQ(world.windows().ZOrderChanges(main),
            (std::vector<std::intptr_t>{swp::kTopmost, swp::kNotTopmost}));
  EXPECT_FALSE(world.windows().IsTopmost(main));
}

TEST_F(MainWindowProcedureTest, ADoubleClickRestoresAWindowThatWasNotMaximized) {
  StartWithHideViaExit(true);
  world.windows().Show(main, sw::kShowMaximized);
  world.windows().Show(main, sw::kShowNormal);
  world.windows().Deliver(main, wm::kClose);

  ClickIcon(wm::kLeftButtonDoubleClick);

  EXPECT_TRUE(world.windows().IsVisible(main));
  EXPECT_EQ(world.windows().PlacementShowState(main), sw::kShowNormal);
}

TEST_F(MainWindowProcedureTest, OtherMouseMessagesOnTheIconDoNothing) {
  StartWithHideViaExit(true);
  world.windows().Deliver(main, wm::kClose);

  for (unsigned mouse :
       {wm::kLeftButtonDown, wm::kLeftButtonUp, wm::kRightButtonDown, wm::kRightButtonUp}) {
    SCOPED_TRACE(mouse);
    EXPECT_EQ(ClickIcon(mouse), 0);
    EXPECT_FALSE(world.windows().IsVisible(main));
    EXPECT_TRUE(world.windows().ZOrderChanges(main).empty());
  }
  EXPECT_TRUE(world.windows().ReceivedByOwnProcedure(main).empty());
}

TEST_F(MainWindowProcedureTest, WithoutAnIconToComeBackThroughClosingClosesAsUsual) {
  world.windows().SetNotifyIconAddFails(true);
  StartWithHideViaExit(true);
  ASSERT_FALSE(services.IsIconShown());

  world.windows().Deliver(main, wm::kClose);

  EXPECT_FALSE(world.windows().Exists(main));
}

TEST_F(MainWindowProcedureTest, AnIconThatCouldNotBeAddedAtStartUpIsAddedWhenTheWindowHides) {
  world.windows().SetNotifyIconAddFails(true);
  StartWithHideViaExit(true);
  world.windows().SetNotifyIconAddFails(false);

  world.windows().Deliver(main, wm::kClose);

  EXPECT_FALSE(world.windows().IsVisible(main));
  EXPECT_TRUE(services.IsIconShown());
  EXPECT_EQ(world.windows().NotifyIcons().size(), 1u);
}

}  // namespace
}  // namespace skerrow
