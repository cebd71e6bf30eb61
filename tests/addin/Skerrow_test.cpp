#include "addin/Skerrow.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "addin/CurrentAddIn.h"
#include "host/memory/MemoryStore.h"
#include "options/FilterOptions.h"
#include "platform/WindowConstants.h"
#include "tests/support/LoggedFailures.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr const char* kDictionary = "C:\\Program Files\\Quelbrik\\Skerrowdir\\Tamsquill.bin";
constexpr const char* kTaught = "C:\\Program Files\\Quelbrik\\Skerrowdir\\Tamsquill.taught";

using Failures = std::vector<LoggedFailure>;

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

  Failures Logged() const { return LoggedFailures(world); }

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

// --- The record of taught messages

TEST_F(SkerrowTest, APrivateMessageLeftInTheSpamFolderIsNotTaughtAgainInALaterConnection) {
  Connect();
  const FolderPtr junk = store.TopFolder(u"Junk E-mail");
  const MailItemPtr secret =
      store.AddMail(store.Inbox(), {.subject = u"Our plans",
                                    .body = u"Meet at the harbour",
                                    .sender = u"Bob",
                                    .sensitivity = olk::kSensitivityPrivate});
  store.UserMove(secret, junk);
  EXPECT_EQ(addIn.statistics().SpamMessageCount(), 1);
  Disconnect();
  const std::u16string id = secret->EntryID().value;
  EXPECT_EQ(world.ReadFile(kTaught), std::string(id.begin(), id.end()) + "\n");

  Skerrow later(world.platform(), world.options());
  later.OnConnection(store.GetApplication(), 0, nullptr);
  store.UserMove(store.AddMail(store.Inbox(), {.subject = u"Offer", .body = u"Cheap pills"}), junk);
  EXPECT_EQ(later.statistics().SpamMessageCount(), 2) << "the new message only";
  later.OnDisconnection(0);
}

// --- Exceptions and failed unsubscriptions

// A code page that fails with an exception on one text, the way an allocation
// failure would in the middle of start-up.
class ThrowingCodePage : public CodePage {
 public:
  explicit ThrowingCodePage(CodePage& inner) : inner_(inner) {}
  unsigned Id() const override { return inner_.Id(); }
  NarrowText ToNarrow(std::u16string_view text) const override {
    if (text == u"boom") throw std::runtime_error("boom");
    return inner_.ToNarrow(text);
  }
  std::u16string ToWide(std::string_view text) const override { return inner_.ToWide(text); }
  std::string ToUpper(std::string_view text) const override { return inner_.ToUpper(text); }
  bool IsLeadByte(unsigned char byte) const override { return inner_.IsLeadByte(byte); }
  int CompareNoCase(std::string_view a, std::string_view b) const override {
    return inner_.CompareNoCase(a, b);
  }

 private:
  CodePage& inner_;
};

TEST_F(SkerrowTest, AStartUpThatThrowsLetsNothingOutAndTakesItsSubscriptionsBack) {
  store.AddAddressList(u"Contacts", {{u"boom", u"boom@example.org"}});
  const Platform& real = world.platform();
  ThrowingCodePage codePage(real.codePage);
  Platform platform{real.profile, real.registry, real.files,     codePage,     real.clock,
                    real.ui,      real.shell,    real.clipboard, real.windows, real.html};
  Skerrow throwing(platform, world.options());
  EXPECT_EQ(throwing.OnConnection(store.GetApplication(), 0, nullptr), hr::kOk);
  EXPECT_FALSE(throwing.Connected());
  EXPECT_EQ(store.ApplicationSinks(), 0u);
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
  EXPECT_EQ(store.FolderChangeSinks(store.Root()), 0u);
  EXPECT_EQ(throwing.OnDisconnection(0), hr::kOk);
}

TEST_F(SkerrowTest, AFailedUnsubscriptionIsTriedAgainWhenTheAddInIsReleased) {
  {
    Skerrow released(world.platform(), world.options());
    released.OnConnection(store.GetApplication(), 0, nullptr);
    store.Faults().FailNext("Items.Unadvise", hr::kFail, 1);
    released.OnDisconnection(0);
    EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 1u);
  }
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
}

TEST_F(SkerrowTest, ASinkTheSourceKeepsOutlivesTheAddInAndDoesNothing) {
  store.Faults().FailAlways("Items.Unadvise", hr::kFail);
  {
    Skerrow released(world.platform(), world.options());
    released.OnConnection(store.GetApplication(), 0, nullptr);
    released.OnDisconnection(0);
  }
  ASSERT_EQ(store.ItemAddSinks(store.Inbox()), 1u);
  const MailItemPtr mail = store.DeliverNewMail({.subject = u"Offer", .body = u"..."});
  EXPECT_EQ(mail->Subject().value, u"Offer");
}

// --- Place codes of start-up and shutdown

struct PlaceCase {
  const char* name;
  const char* operation;
  int calls;  // how many calls fail; -1: every one
  bool atShutdown;
  Failures logged;
};

class StartUpPlaces : public SkerrowTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(StartUpPlaces, EachFailedCallIsLoggedAtItsOwnPlace) {
  const PlaceCase& c = GetParam();
  world.options().bErrorLog = 1;
  const auto fail = [&] {
    if (c.calls < 0) {
      store.Faults().FailAlways(c.operation, hr::kFail);
    } else {
      store.Faults().FailNext(c.operation, hr::kFail, c.calls);
    }
  };
  if (!c.atShutdown) fail();
  Connect();
  if (c.atShutdown) fail();
  Disconnect();
  store.Faults().ClearAll();
  EXPECT_EQ(Logged(), c.logged);
}

constexpr long long kFail = hr::kFail;

INSTANTIATE_TEST_SUITE_P(
    Calls, StartUpPlaces,
    ::testing::Values(
        PlaceCase{"ActiveExplorer", "Application.ActiveExplorer", 1, false, {{200401, kFail}}},
        PlaceCase{"CommandBars", "Explorer.GetCommandBars", 1, false, {{200402, kFail}}},
        PlaceCase{"Toolbar", "CommandBars.Add", 1, false, {{201301, kFail}, {200403, kFail}}},
        PlaceCase{
            "MenuItems", "CommandBars.ActiveMenuBar", 1, false, {{201501, kFail}, {200404, kFail}}},
        PlaceCase{"ApplicationEvents",
                  "Application.Advise",
                  2,
                  false,
                  {{200405, kFail}, {2004051, kFail}}},
        PlaceCase{"NameSpace", "Application.GetNamespace", 1, false, {{200406, kFail}}},
        PlaceCase{"Inbox", "NameSpace.GetDefaultFolder", 1, false, {{200408, kFail}}},
        PlaceCase{"InboxParent", "Folder.Parent", 1, false, {{200409, kFail}}},
        PlaceCase{"TopLevelFolders", "Folder.GetFolders", 1, false, {{200410, kFail}}},
        PlaceCase{"FolderChange", "Folders.Advise", 1, false, {{200411, kFail}}},
        PlaceCase{"FolderCount", "Folders.Count", 1, false, {{200412, kFail}}},
        PlaceCase{"Folder", "Folders.Item", 1, false, {{200414, kFail}}},
        PlaceCase{"FolderName", "Folder.Name", 1, false, {{200415, kFail}}},
        PlaceCase{"FolderItems", "Folder.GetItems", 1, false, {{300101, kFail}}},
        PlaceCase{"FolderItemCount", "Items.Count", 1, false, {{300102, kFail}}},
        PlaceCase{"SpamFolder", "Folders.Add", 1, false, {{200416, kFail}}},
        PlaceCase{"ItemAdd", "Items.Advise", 1, false, {{200419, kFail}}},
        PlaceCase{"AddressLists", "NameSpace.GetAddressLists", 1, false, {{202101, kFail}}},
        PlaceCase{"Clicks",
                  "CommandBarButton.Unadvise",
                  9,
                  true,
                  {{200501, kFail},
                   {200502, kFail},
                   {200503, kFail},
                   {200504, kFail},
                   {200601, kFail},
                   {200602, kFail},
                   {200603, kFail},
                   {200604, kFail},
                   {200607, kFail}}},
        PlaceCase{"ApplicationEventsAtShutdown",
                  "Application.Unadvise",
                  2,
                  true,
                  {{200701, kFail}, {2007011, kFail}}},
        PlaceCase{"FolderChangeAtShutdown", "Folders.Unadvise", 1, true, {{200702, kFail}}},
        PlaceCase{"ItemAddAtShutdown", "Items.Unadvise", 1, true, {{200703, kFail}}}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

// --- The nine controls

struct ControlCase {
  const char* name;
  const char16_t* caption;
  std::vector<std::u16string> inbox;  // subjects after the click
  std::vector<std::u16string> junk;
  const char* message;  // "" for none
  bool helpOpened;
};

class ClickRouting : public SkerrowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ClickRouting, EachControlRunsItsOwnCommand) {
  const ControlCase& c = GetParam();
  Connect();
  const MailItemPtr plain = store.AddMail(store.Inbox(), {.subject = u"Plain", .body = u"Hi"});
  const MailItemPtr marked = store.AddMail(store.Inbox(), {.subject = u"<*5*>Pills"});
  store.SetSelection({plain, marked});
  ASSERT_TRUE(store.Click(c.caption));
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), c.inbox);
  EXPECT_EQ(store.SubjectsIn(store.TopFolder(u"Junk E-mail")), c.junk);
  EXPECT_EQ(world.ui().Texts(),
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  EXPECT_EQ(world.shell().opens.size(), c.helpOpened ? 1u : 0u);
  Disconnect();
}

using Subjects = std::vector<std::u16string>;
constexpr const char* kOnlySpamFolder = "This command is valid only for the Spam Folder!";

INSTANTIATE_TEST_SUITE_P(
    Controls, ClickRouting,
    ::testing::Values(
        ControlCase{"ToSpamButton", u"To Spam", Subjects{u"Plain"}, Subjects{u"_<*5*>Pills"}, "",
                    false},
        ControlCase{"ToInboxButton", u"To Inbox", Subjects{u"Plain", u"<*5*>Pills"}, Subjects{},
                    kOnlySpamFolder, false},
        ControlCase{"MarkButton", u"Mark", Subjects{u"<*5*>Plain", u"<*5*>Pills"}, Subjects{}, "",
                    false},
        ControlCase{"UnmarkButton", u"Unmark", Subjects{u"Plain", u"Pills"}, Subjects{}, "", false},
        ControlCase{"ToSpamMenuItem", u"Move marked spam letters to the Spam folder.",
                    Subjects{u"Plain"}, Subjects{u"_<*5*>Pills"}, "", false},
        ControlCase{"ToInboxMenuItem", u"Unmark spam letters and move to the Inbox folder.",
                    Subjects{u"Plain", u"<*5*>Pills"}, Subjects{}, kOnlySpamFolder, false},
        ControlCase{"MarkMenuItem", u"Mark selected letters as Spam.",
                    Subjects{u"<*5*>Plain", u"<*5*>Pills"}, Subjects{}, "", false},
        ControlCase{"UnmarkMenuItem", u"Unmark selected letters.", Subjects{u"Plain", u"Pills"},
                    Subjects{}, "", false},
        ControlCase{"HelpMenuItem", u"Skerrow Help.", Subjects{u"Plain", u"<*5*>Pills"}, Subjects{},
                    "", true}),
    [](const ::testing::TestParamInfo<ControlCase>& info) { return info.param.name; });

}  // namespace
}  // namespace skerrow
