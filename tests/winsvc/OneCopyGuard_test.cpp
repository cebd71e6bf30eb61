#include "winsvc/OneCopyGuard.h"

#include <gtest/gtest.h>

#include "tests/support/TestPlatform.h"
#include "winsvc/WindowServices.h"

namespace skerrow {
namespace {

using Message = SimulatedWindowSystem::Message;

Message CloseFor(WindowHandle window) {
  return Message{window, wm::kClose, 0, 0};
}

class OneCopyGuardTest : public ::testing::Test {
 protected:
  OneCopyGuardTest() { world.options().bUniqueApp = 1; }

  WindowHandle AddActiveMain(const std::string& title = "Inbox - Microsoft Outlook") {
    WindowHandle window = world.windows().AddWindow(title);
    world.windows().Activate(window);
    return window;
  }

  TestPlatform world;
  WindowServices services{world.platform(), world.options()};
};

struct TitleCase {
  const char* title;
  bool closed;
};

TEST_F(OneCopyGuardTest, ASecondWindowShowingTheClientNameInAnyCaseIsClosedWithinOneTick) {
  const TitleCase cases[] = {
      {"Calendar - Microsoft Outlook", true},
      {"calendar - microsoft outlook", true},
      {"Contacts - MiCrOsOfT OuTlOoK (offline)", true},
      {"- MICROSOFT OUTLOOK", true},
      {"Calendar -Microsoft Outlook", false},
      {"Microsoft Outlook", false},
      {"Re: hello - Message (HTML)", false},
  };
  for (const TitleCase& c : cases) {
    SCOPED_TRACE(c.title);
    TestPlatform world;
    world.options().bUniqueApp = 1;
    WindowServices services(world.platform(), world.options());
    WindowHandle main = world.windows().AddWindow("Inbox - Microsoft Outlook");
    world.windows().Activate(main);
    WindowHandle other = world.windows().AddWindow(c.title);
    services.Start();

    world.windows().Advance(WindowServices::kOneCopyPeriodMs);

    if (c.closed) {
      EXPECT_EQ(world.windows().PostedMessages(other), std::vector<Message>{CloseFor(other)});
    } else {
      EXPECT_TRUE(world.windows().PostedMessages(other).empty());
    }
    EXPECT_TRUE(world.windows().PostedMessages(main).empty());
  }
}

TEST_F(OneCopyGuardTest, TheMainWindowIsNeverAskedToClose) {
  WindowHandle main = AddActiveMain();
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");
  WindowHandle third = world.windows().AddWindow("Tasks - Microsoft Outlook");
  services.Start();

  world.windows().Advance(3 * WindowServices::kOneCopyPeriodMs);

  EXPECT_TRUE(world.windows().PostedMessages(main).empty());
  EXPECT_EQ(world.windows().PostedMessages(second).size(), 3u);
  EXPECT_EQ(world.windows().PostedMessages(third).size(), 3u);
}

TEST_F(OneCopyGuardTest, TheSecondWindowCloses) {
  WindowHandle main = AddActiveMain();
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");
  services.Start();

  world.windows().Advance(WindowServices::kOneCopyPeriodMs);
  world.windows().DeliverPostedMessages();

  EXPECT_FALSE(world.windows().Exists(second));
  EXPECT_TRUE(world.windows().Exists(main));
}

TEST_F(OneCopyGuardTest, NothingIsClosedBeforeTheFirstTick) {
  AddActiveMain();
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");
  services.Start();

  world.windows().Advance(WindowServices::kOneCopyPeriodMs - 1);

  EXPECT_TRUE(world.windows().PostedMessages(second).empty());
}

TEST_F(OneCopyGuardTest, WithOptionOffAtStartUpNoTimerRuns) {
  world.options().bUniqueApp = 0;
  AddActiveMain();
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");
  services.Start();
  world.options().bUniqueApp = 1;

  world.windows().Advance(10 * WindowServices::kOneCopyPeriodMs);

  EXPECT_EQ(services.OneCopyTimer(), kNoTimer);
  EXPECT_TRUE(world.windows().PostedMessages(second).empty());
}

TEST_F(OneCopyGuardTest, TheWindowActiveAtTheTickStaysEvenIfAnotherWasHooked) {
  world.options().bHideViaExit = 1;
  WindowHandle hooked = AddActiveMain();
  services.Start();
  WindowHandle opened = AddActiveMain("Calendar - Microsoft Outlook");

  world.windows().Advance(WindowServices::kOneCopyPeriodMs);
  world.windows().DeliverPostedMessages();

  EXPECT_TRUE(world.windows().PostedMessages(opened).empty());
  EXPECT_TRUE(world.windows().IsVisible(opened));
  EXPECT_TRUE(world.windows().Exists(hooked)) << "hidden to the tray, not closed";
}

// The guard on its own, without a hooked window: the main window is the one
// the window system names at the tick.
TEST_F(OneCopyGuardTest, WithoutAMainWindowOrWithAnOwnedOneNothingIsClosed) {
  OneCopyGuard guard(world.windows(), world.codePage());
  WindowHandle first = world.windows().AddWindow("Inbox - Microsoft Outlook");
  WindowHandle second = world.windows().AddWindow("Calendar - Microsoft Outlook");

  guard.Tick();
  EXPECT_TRUE(world.windows().PostedMessages().empty());

  world.windows().Activate(world.windows().AddWindow("Options", first));
  guard.Tick();
  EXPECT_TRUE(world.windows().PostedMessages().empty());

  world.windows().Activate(second);
  guard.Tick();
  EXPECT_EQ(world.windows().PostedMessages(), std::vector<Message>{CloseFor(first)});
}

TEST_F(OneCopyGuardTest, OnlyTheFirst1023CharactersOfATitleAreSearched) {
  AddActiveMain();
  WindowHandle cut = world.windows().AddWindow(std::string(1010, 'x') + " - Microsoft Outlook");
  WindowHandle whole = world.windows().AddWindow(std::string(1000, 'x') + " - Microsoft Outlook");
  services.Start();

  world.windows().Advance(WindowServices::kOneCopyPeriodMs);

  EXPECT_TRUE(world.windows().PostedMessages(cut).empty());
  EXPECT_EQ(world.windows().PostedMessages(whole).size(), 1u);
}

}  // namespace
}  // namespace skerrow
