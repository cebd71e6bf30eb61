#include "winsvc/WindowServices.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

using Message = SimulatedWindowSystem::Message;

// Another add-in's procedure, put on the main window after ours.
class PassingProcedure : public WindowProcedure {
 public:
  PassingProcedure(WindowSystem& windows) : windows_(windows) {}
  ProcedureToken previous = kNoProcedure;
  int seen = 0;

  LResult OnMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) override {
    ++seen;
    return windows_.CallProcedure(previous, window, message, wParam, lParam);
  }

 private:
  WindowSystem& windows_;
};

class WindowServicesTest : public ::testing::Test {
 protected:
  WindowServicesTest() {
    main = world.windows().AddWindow("Inbox - Microsoft Outlook");
    world.windows().Activate(main);
  }

  TestPlatform world;
  WindowHandle main{};
  std::unique_ptr<WindowServices> services =
      std::make_unique<WindowServices>(world.platform(), world.options());
};

TEST_F(WindowServicesTest, StartUpHooksTheMainWindowWhateverTheOptionsSay) {
  services->Start();

  EXPECT_EQ(services->HookedWindow(), main);
  EXPECT_FALSE(world.windows().HasOwnProcedure(main));
  EXPECT_EQ(services->OneCopyTimer(), kNoTimer);
  EXPECT_TRUE(world.windows().NotifyIcons().empty());
}

TEST_F(WindowServicesTest, StartUpAddsTheIconOnTheHookedWindowWhenHideViaExitIsOn) {
  world.options().bHideViaExit = 1;

  services->Start();

  ASSERT_EQ(world.windows().NotifyIcons().size(), 1u);
  EXPECT_EQ(world.windows().NotifyIcons()[0], TrayIcon::RecordFor(main));
}

TEST_F(WindowServicesTest, TheModulesMainWindowIsPreferredToTheActiveOne) {
  WindowHandle moduleMain = world.windows().AddWindow("Outlook");
  world.windows().SetModuleMainWindow(moduleMain);

  services->Start();

  EXPECT_EQ(services->HookedWindow(), moduleMain);
}

TEST_F(WindowServicesTest, WithoutAMainWindowNothingIsHookedAndNoIconAppears) {
  world.windows().Activate(kNoWindow);
  world.options().bHideViaExit = 1;

  services->Start();
  services->ShowIcon(true);

  EXPECT_EQ(services->HookedWindow(), kNoWindow);
  EXPECT_TRUE(world.windows().NotifyIcons().empty());
}

TEST_F(WindowServicesTest, TheIconFollowsWhatTheOptionsPageApplies) {
  services->Start();

  services->ShowIcon(true);
  EXPECT_EQ(world.windows().NotifyIcons().size(), 1u);
  services->ShowIcon(true);
  EXPECT_EQ(world.windows().NotifyIcons().size(), 1u);
  services->ShowIcon(false);
  EXPECT_TRUE(world.windows().NotifyIcons().empty());
}

TEST_F(WindowServicesTest, StartingTwiceKeepsOneTimerAndOneProcedure) {
  world.options().bUniqueApp = 1;
  services->Start();
  const TimerId timer = services->OneCopyTimer();

  services->Start();

  EXPECT_EQ(services->OneCopyTimer(), timer);
  EXPECT_EQ(world.windows().RunningTimerCount(), 1u);
  EXPECT_TRUE(services->Stop());
  world.windows().Deliver(main, wm::kClose);
  EXPECT_FALSE(world.windows().Exists(main));
}

// Disconnection must leave nothing in the window system that leads into the
// add-in: the host may unload the module right after.
TEST_F(WindowServicesTest, StopEndsTheTimerRemovesTheIconAndPutsThePreviousProcedureBack) {
  world.options().bUniqueApp = 1;
  world.options().bHideViaExit = 1;
  services->Start();

  EXPECT_TRUE(services->Stop());

  EXPECT_EQ(world.windows().RunningTimerCount(), 0u);
  EXPECT_TRUE(world.windows().NotifyIcons().empty());
  EXPECT_TRUE(world.windows().HasOwnProcedure(main));
  services.reset();
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");
  world.windows().Advance(10 * WindowServices::kOneCopyPeriodMs);
  EXPECT_TRUE(world.windows().PostedMessages(second).empty());
  world.windows().Deliver(main, wm::kClose);
  EXPECT_FALSE(world.windows().Exists(main));
}

TEST_F(WindowServicesTest, AProcedurePutOnTopOfOursKeepsWorkingAfterStop) {
  world.options().bHideViaExit = 1;
  services->Start();
  auto other = std::make_shared<PassingProcedure>(world.windows());
  other->previous = world.windows().ReplaceProcedure(main, other);

  EXPECT_FALSE(services->Stop());
  EXPECT_FALSE(services->CanUnload());
  services.reset();

  // Ours now only passes messages on: the close reaches the window.
  world.windows().Deliver(main, wm::kClose);
  EXPECT_EQ(other->seen, 1);
  EXPECT_FALSE(world.windows().Exists(main));
}

TEST_F(WindowServicesTest, DestroyingTheServicesStopsThemToo) {
  world.options().bUniqueApp = 1;
  services->Start();

  services.reset();

  EXPECT_EQ(world.windows().RunningTimerCount(), 0u);
  EXPECT_TRUE(world.windows().HasOwnProcedure(main));
  world.windows().Deliver(main, wm::kSize, size::kMaximized);
  EXPECT_EQ(world.windows().ReceivedByOwnProcedure(main),
            (std::vector<Message>{{main, wm::kSize, size::kMaximized, 0}}));
}

TEST_F(WindowServicesTest, StopAfterTheMainWindowIsGoneLetsTheModuleUnload) {
  services->Start();
  world.windows().RemoveWindow(main);

  EXPECT_TRUE(services->Stop());
}

TEST_F(WindowServicesTest, TheServicesCanBeStartedAgainAfterStop) {
  world.options().bHideViaExit = 1;
  services->Start();
  services->Stop();

  services->Start();
  world.windows().Deliver(main, wm::kClose);

  EXPECT_TRUE(world.windows().Exists(main));
  EXPECT_FALSE(world.windows().IsVisible(main));
  EXPECT_EQ(world.windows().NotifyIcons().size(), 1u);
}

}  // namespace
}  // namespace skerrow
