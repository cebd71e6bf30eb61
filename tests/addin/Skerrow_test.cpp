#include "addin/Skerrow.h"

#include <gtest/gtest.h>

#include "addin/CurrentAddIn.h"
#include "host/memory/MemoryStore.h"
#include "options/FilterOptions.h"
#include "platform/WindowConstants.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr const char* kDictionary = "C:\\Program Files\\Quelbrik\\Skerrowdir\\Tamsquill.bin";

class SkerrowTest : public ::testing::Test {
 protected:
  SkerrowTest() {
    store.SetClipboard(&world.clipboard());
    mainWindow = world.windows().AddWindow("Inbox - Microsoft Outlook");
    world.windows().Activate(mainWindow);
  }

  void SetProfile(const char* key, const char* value) {
    world.profile().WriteString("Tamsquil", key, value);
  }

  void Connect() { EXPECT_EQ(addIn.OnConnection(store.GetApplication(), 0, nullptr), hr::kOk); }
  void Disconnect() { EXPECT_EQ(addIn.OnDisconnection(0), hr::kOk); }

  TestPlatform world;
  MemoryStore store;
  WindowHandle mainWindow{};
  Skerrow addIn{world.platform(), world.options()};
};

TEST_F(SkerrowTest, TheThreeUnusedMethodsAreNotImplemented) {
  EXPECT_EQ(addIn.OnAddInsUpdate(), hr::kNotImpl);
  EXPECT_EQ(addIn.OnStartupComplete(), hr::kNotImpl);
  EXPECT_EQ(addIn.OnBeginShutdown(), hr::kNotImpl);
}

TEST_F(SkerrowTest, AFullConnectionCreatesTheSpamFolderAndASecondOneFindsIt) {
  Connect();
  EXPECT_TRUE(addIn.Connected());
  EXPECT_EQ(CurrentAddIn(), &addIn);
  ASSERT_NE(store.TopFolder(u"Junk E-mail"), nullptr);
  EXPECT_NE(store.Toolbar(u"Tamsquill"), nullptr);
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 1u);
  EXPECT_EQ(store.FolderChangeSinks(store.Root()), 1u);
  Disconnect();
  EXPECT_FALSE(addIn.Connected());
  EXPECT_EQ(CurrentAddIn(), nullptr);
  EXPECT_TRUE(world.ReadFile(kDictionary).has_value());

  Skerrow second(world.platform(), world.options());
  second.OnConnection(store.GetApplication(), 0, nullptr);
  EXPECT_EQ(second.spamFolder().SpamFolder()->Name().value, u"Junk E-mail");
  int junkFolders = 0;
  for (int i = 1; i <= store.Root()->GetFolders().value->Count().value; ++i) {
    if (store.Root()->GetFolders().value->Item(i).value->Name().value == u"Junk E-mail") {
      ++junkFolders;
    }
  }
  EXPECT_EQ(junkFolders, 1);
  second.OnDisconnection(0);
}

TEST_F(SkerrowTest, WithoutAnExplorerOnlyOptionsAndDictionaryAreLoaded) {
  SetProfile("bBayesFilter", "0");
  store.SetActiveExplorer(false);
  Connect();
  EXPECT_FALSE(addIn.Connected());
  EXPECT_EQ(CurrentAddIn(), &addIn);
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(store.Toolbar(u"Tamsquill"), nullptr);
  EXPECT_EQ(store.TopFolder(u"Junk E-mail"), nullptr);
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
  EXPECT_EQ(store.ApplicationSinks(), 0u);

  store.DeliverNewMail({.subject = u"Hello", .sender = u"Ann"});
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), std::vector<std::u16string>{u"Hello"});
  Disconnect();
  EXPECT_FALSE(world.ReadFile(kDictionary).has_value()) << "nothing is saved";
}

TEST_F(SkerrowTest, TheAddressBookStaysEmptyWhenCheckingItIsDisabledAtStartUp) {
  store.AddAddressList(u"Contacts", {{u"Ann Lee", u"ann@example.org"}});
  SetProfile("bDisableCheckAddrBook", "1");
  Connect();
  EXPECT_TRUE(addIn.addressBook().Names().empty());
  world.options().bDisableCheckAddrBook = 0;
  EXPECT_TRUE(addIn.addressBook().Names().empty());
  Disconnect();
}

TEST_F(SkerrowTest, TheAddressBookIsTakenAtStartUp) {
  store.AddAddressList(u"Contacts", {{u"Ann Lee", u"ann@example.org"}});
  Connect();
  EXPECT_EQ(addIn.addressBook().Names(), std::vector<std::string>{"Ann Lee"});
  EXPECT_EQ(addIn.addressBook().Addresses(), std::vector<std::string>{"ann@example.org"});
  Disconnect();
}

// Each event of the routing table, raised the way the mail client raises it,
// with what its handler visibly does.
class RoutingTest : public SkerrowTest {
 protected:
  void RaiseEveryEvent() {
    junk = store.TopFolder(u"Junk E-mail");
    // ItemAdd: a message without content is spam for its empty body.
    emptyMail = store.DeliverNewMail({.subject = u"Offer", .body = u"...", .sender = u"X"});
    // FolderChange: a plain message dragged into the Spam folder is taken in.
    dragged = store.AddMail(store.Inbox(),
                            {.subject = u"Dragged", .body = u"Some text here", .sender = u"Y"});
    if (junk) store.UserMove(dragged, junk);
    // Click: To Spam with a marked message moves it.
    store.Click(u"To Spam");
    // OptionsPagesAdd.
    pages = store.FireOptionsPagesAdd()->Added().size();
    // Reminder.
    world.options().bAllowPlayMpg = 1;
    store.FireReminder(store.MakeTask(u"Wake up", u"C:\\Sounds\\alarm.mp3"));
  }

  FolderPtr junk;
  MailItemPtr emptyMail;
  MailItemPtr dragged;
  std::size_t pages = 0;
};

TEST_F(RoutingTest, EveryEventOfTheTableReachesItsHandler) {
  Connect();
  RaiseEveryEvent();
  ASSERT_NE(junk, nullptr);
  EXPECT_EQ(store.FolderNameOf(emptyMail), u"Junk E-mail")
      << "classified, marked, moved by To Spam";
  EXPECT_EQ(emptyMail->Subject().value, u"_<*3*>Offer");
  EXPECT_EQ(dragged->Subject().value, u"_<*5*>Dragged");
  EXPECT_EQ(pages, 1u);
  ASSERT_EQ(world.shell().opens.size(), 1u);
  EXPECT_EQ(world.shell().opens[0].file, "C:\\Sounds\\alarm.mp3");
  Disconnect();
}

TEST_F(RoutingTest, NothingReachesAHandlerAfterDisconnection) {
  Connect();
  ASSERT_NE(store.TopFolder(u"Junk E-mail"), nullptr);
  Disconnect();
  EXPECT_EQ(store.ApplicationSinks(), 0u);
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
  EXPECT_EQ(store.FolderChangeSinks(store.Root()), 0u);
  RaiseEveryEvent();
  EXPECT_EQ(emptyMail->Subject().value, u"Offer");
  EXPECT_EQ(dragged->Subject().value, u"Dragged");
  EXPECT_EQ(pages, 0u);
  EXPECT_TRUE(world.shell().opens.empty());
  EXPECT_TRUE(world.ui().messages.empty());
}

TEST_F(SkerrowTest, DisconnectionUnhooksTheMainWindowAndStopsTheOneCopyTimer) {
  SetProfile("bUniqueApp", "1");
  SetProfile("bHideViaExit", "1");
  Connect();
  EXPECT_EQ(world.windows().RunningTimerCount(), 1u);
  EXPECT_EQ(world.windows().NotifyIcons().size(), 1u);
  world.windows().Deliver(mainWindow, wm::kClose);
  EXPECT_FALSE(world.windows().IsVisible(mainWindow)) << "hidden to the tray while connected";
  world.windows().Show(mainWindow, sw::kShowNormal);

  Disconnect();
  EXPECT_EQ(world.windows().RunningTimerCount(), 0u);
  EXPECT_TRUE(world.windows().NotifyIcons().empty());
  EXPECT_TRUE(addIn.windows().CanUnload());
  world.windows().Deliver(mainWindow, wm::kClose);
  EXPECT_FALSE(world.windows().Exists(mainWindow)) << "closed by its own procedure again";
}

TEST_F(SkerrowTest, OnlyAnAddInThatConnectedSavesItsDictionary) {
  Connect();
  store.DeliverNewMail({.subject = u"Hello there", .body = u"A body with words", .sender = u"Ann"});
  Disconnect();
  const auto saved = world.ReadFile(kDictionary);
  ASSERT_TRUE(saved.has_value());
  EXPECT_GT(saved->size(), 32u) << "the valid message was learned";
}

TEST_F(SkerrowTest, AnAddInReleasedWithoutDisconnectionLeavesNoSinkBehind) {
  {
    Skerrow released(world.platform(), world.options());
    released.OnConnection(store.GetApplication(), 0, nullptr);
    ASSERT_EQ(store.ItemAddSinks(store.Inbox()), 1u);
  }
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
  EXPECT_EQ(store.ApplicationSinks(), 0u);
  EXPECT_EQ(store.FolderChangeSinks(store.Root()), 0u);
  store.DeliverNewMail({.subject = u"Offer", .body = u"...", .sender = u"X"});
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), std::vector<std::u16string>{u"Offer"});
}

}  // namespace
}  // namespace skerrow
