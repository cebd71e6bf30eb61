#include "host/memory/MemoryStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/linux/MemoryClipboard.h"

namespace skerrow {
namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

// Records events as "FolderChange <folder>", "ItemAdd <subject>", ... and runs
// an optional reaction inside the handler.
class Recorder : public EventSink {
 public:
  explicit Recorder(std::vector<std::string>& log) : log_(log) {}
  void Invoke(EventInterface, std::int32_t dispId, const std::vector<DispatchPtr>& args) override {
    DispatchPtr arg = args.empty() ? nullptr : args[0];
    switch (dispId) {
      case dispid::kFolderChange:
        log_.push_back("FolderChange " + Narrow(arg->AsFolder()->Name().value));
        break;
      case dispid::kItemAdd:
        log_.push_back("ItemAdd " + Narrow(MemoryStore::Inspect(arg)->subject));
        break;
      case dispid::kClick:
        log_.push_back(arg && arg->AsCommandBarButton() ? "Click button" : "Click ?");
        break;
      default:
        log_.push_back("event " + std::to_string(dispId));
    }
    if (reaction) reaction(dispId, arg);
  }
  std::function<void(std::int32_t, const DispatchPtr&)> reaction;

 private:
  std::vector<std::string>& log_;
};

class MemoryStoreTest : public ::testing::Test {
 protected:
  MemoryStoreTest() : junk(store.AddFolder(u"Junk E-mail")) {}

  // Watches the top-level folders and the Items of the Inbox and Junk.
  void WatchAll() {
    topFolders = store.Root()->GetFolders().value;
    inboxItems = store.Inbox()->GetItems().value;
    junkItems = junk->GetItems().value;
    ASSERT_TRUE(topFolders->Advise(EventInterface::FoldersEvents, &recorder).ok());
    ASSERT_TRUE(inboxItems->Advise(EventInterface::ItemsEvents, &recorder).ok());
    ASSERT_TRUE(junkItems->Advise(EventInterface::ItemsEvents, &recorder).ok());
  }

  MemoryStore store;
  FolderPtr junk;
  std::vector<std::string> log;
  Recorder recorder{log};
  FoldersPtr topFolders;
  ItemsPtr inboxItems;
  ItemsPtr junkItems;
};

using Log = std::vector<std::string>;

// --- Events ---

TEST_F(MemoryStoreTest, AMoveRaisesSourceThenDestinationFolderChangeThenItemAdd) {
  MailItemPtr mail = store.AddMail(store.Inbox(), {.subject = u"Hello"});
  WatchAll();
  Result<DispatchPtr> moved = mail->Move(junk);
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(log, (Log{"FolderChange Inbox", "FolderChange Junk E-mail", "ItemAdd Hello"}));
  EXPECT_EQ(store.FolderNameOf(moved.value), u"Junk E-mail");
  EXPECT_EQ(store.ItemCount(store.Inbox()), 0);
}

TEST_F(MemoryStoreTest, AMessageDraggedBackRaisesTheInboxItemAddLast) {
  MailItemPtr mail = store.AddMail(junk, {.subject = u"_<*5*>Back"});
  WatchAll();
  ASSERT_TRUE(store.UserMove(mail, store.Inbox()));
  EXPECT_EQ(log, (Log{"FolderChange Junk E-mail", "FolderChange Inbox", "ItemAdd _<*5*>Back"}));
}

TEST_F(MemoryStoreTest, OnlyTheRootsFoldersReportTopLevelFoldersAndSubfoldersReportToTheirParent) {
  FolderPtr sub = store.AddFolder(store.Inbox(), u"Lists");
  MailItemPtr mail = store.AddMail(store.Inbox(), {.subject = u"Hi"});
  WatchAll();
  std::vector<std::string> inboxFolderLog;
  Recorder inboxFolderRecorder(inboxFolderLog);
  FoldersPtr inboxFolders = store.Inbox()->GetFolders().value;
  inboxFolders->Advise(EventInterface::FoldersEvents, &inboxFolderRecorder);

  ASSERT_TRUE(mail->Move(sub).ok());
  EXPECT_EQ(log, (Log{"FolderChange Inbox"}));  // nothing for the subfolder, no Inbox ItemAdd
  EXPECT_EQ(inboxFolderLog, (Log{"FolderChange Lists"}));
}

TEST_F(MemoryStoreTest, NewMailRaisesFolderChangeThenItemAdd) {
  WatchAll();
  store.DeliverNewMail({.subject = u"New"});
  EXPECT_EQ(log, (Log{"FolderChange Inbox", "ItemAdd New"}));
}

TEST_F(MemoryStoreTest, WhatAHandlerCausesIsDeliveredAfterItReturns) {
  WatchAll();
  recorder.reaction = [&](std::int32_t dispId, const DispatchPtr& item) {
    if (dispId != dispid::kItemAdd || store.FolderNameOf(item) != u"Inbox") return;
    ASSERT_TRUE(item->AsMailItem()->Move(junk).ok());
    log.push_back("handler returns");
  };
  store.DeliverNewMail({.subject = u"Spam"});
  store.DeliverNewMail({.subject = u"More"});
  EXPECT_EQ(log, (Log{"FolderChange Inbox", "ItemAdd Spam", "handler returns", "FolderChange Inbox",
                      "FolderChange Junk E-mail", "ItemAdd Spam", "FolderChange Inbox",
                      "ItemAdd More", "handler returns", "FolderChange Inbox",
                      "FolderChange Junk E-mail", "ItemAdd More"}));
}

TEST_F(MemoryStoreTest, AllHandlesOfACollectionShareItsSinks) {
  ItemsPtr first = store.Inbox()->GetItems().value;
  ItemsPtr second = store.Inbox()->GetItems().value;
  Result<std::uint32_t> cookie = first->Advise(EventInterface::ItemsEvents, &recorder);
  ASSERT_TRUE(cookie.ok());
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 1u);
  store.DeliverNewMail({.subject = u"One"});
  EXPECT_EQ(second->Unadvise(cookie.value), hr::kOk);
  store.DeliverNewMail({.subject = u"Two"});
  EXPECT_EQ(log, (Log{"ItemAdd One"}));
}

TEST_F(MemoryStoreTest, AMoveIntoTheFolderTheItemIsInRaisesNothing) {
  MailItemPtr mail = store.AddMail(store.Inbox(), {.subject = u"Stay"});
  WatchAll();
  EXPECT_TRUE(mail->Move(store.Inbox()).ok());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(store.ItemCount(store.Inbox()), 1);
}

TEST_F(MemoryStoreTest, ApplicationEventsReachTheirHandlers) {
  ApplicationPtr application = store.GetApplication();
  ASSERT_TRUE(application->Advise(EventInterface::ApplicationEvents, &recorder).ok());
  recorder.reaction = [](std::int32_t dispId, const DispatchPtr& arg) {
    if (dispId == dispid::kOptionsPagesAdd) {
      arg->AsPropertyPages()->Add(u"Tamsquill.PropPage", u"Skerrow");
    }
  };
  auto pages = store.FireOptionsPagesAdd();
  store.FireReminder(store.MakeTask(u"Call", u"C:\\ding.mp3"));
  EXPECT_EQ(log, (Log{"event 61445", "event 61444"}));
  EXPECT_EQ(pages->Added(), (std::vector<PageAdded>{{u"Tamsquill.PropPage", u"Skerrow"}}));
  EXPECT_EQ(store.PagesAdded().size(), 1u);
}

// --- Restrict and cursors ---

TEST_F(MemoryStoreTest, RestrictKeepsTheItemsThatMatchedAtTheCall) {
  for (auto subject : {u"<*5*>a", u"plain", u"<*1*>b", u"<*3*>c"}) {
    store.AddMail(store.Inbox(), {.subject = subject});
  }
  ItemsPtr marked = store.Inbox()
                        ->GetItems()
                        .value->Restrict(u"[Subject] >= \"<*0*>\" AND  [Subject] <= \"<*9*>\"")
                        .value;
  ASSERT_EQ(marked->Count().value, 3);
  // Removing each marker during the walk (the way unmarking does) neither
  // skips nor repeats a member.
  std::vector<std::u16string> visited;
  for (DispatchPtr item = marked->GetFirst().value; item; item = marked->GetNext().value) {
    MailItemPtr mail = item->AsMailItem();
    std::u16string subject = mail->Subject().value;
    visited.push_back(subject);
    mail->SetSubject(subject.substr(5));
  }
  EXPECT_EQ(visited, (std::vector<std::u16string>{u"<*5*>a", u"<*1*>b", u"<*3*>c"}));
  EXPECT_EQ(marked->Count().value, 3);
}

TEST_F(MemoryStoreTest, MovingEveryRestrictedItemMovesThemAll) {
  for (int i = 0; i < 4; ++i) store.AddMail(store.Inbox(), {.subject = u"<*5*>x"});
  ItemsPtr marked = store.Inbox()->GetItems().value->Restrict(u"[Subject] = \"<*5*>x\"").value;
  const std::int32_t count = marked->Count().value;
  DispatchPtr item = marked->GetFirst().value;
  for (std::int32_t i = 0; i < count && item; ++i, item = marked->GetNext().value) {
    item->AsMailItem()->Move(junk);
  }
  EXPECT_EQ(store.ItemCount(store.Inbox()), 0);
  EXPECT_EQ(store.ItemCount(junk), 4);
}

TEST_F(MemoryStoreTest, RestrictSeesItemsOfEveryKindByTheirSubject) {
  store.DeliverMeetingRequest(junk, u"Team");
  store.AddMail(junk, {.subject = u"_<*5*>Team"});
  ItemsPtr unmarked =
      junk->GetItems()
          .value->Restrict(u"NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")")
          .value;
  ASSERT_EQ(unmarked->Count().value, 1);
  EXPECT_EQ(unmarked->GetFirst().value->AsMailItem(), nullptr);
}

TEST_F(MemoryStoreTest, AFilterThatDoesNotParseFailsWithInvalidArg) {
  Result<ItemsPtr> result = store.Inbox()->GetItems().value->Restrict(u"[Subject] >=");
  EXPECT_EQ(result.status, hr::kInvalidArg);
  EXPECT_EQ(result.value, nullptr);
}

TEST_F(MemoryStoreTest, ACursorPastTheEndSucceedsWithNoItem) {
  store.AddMail(store.Inbox(), {.subject = u"only"});
  ItemsPtr items = store.Inbox()->GetItems().value;
  EXPECT_NE(items->GetFirst().value, nullptr);
  for (int i = 0; i < 2; ++i) {
    Result<DispatchPtr> next = items->GetNext();
    EXPECT_TRUE(next.ok());
    EXPECT_EQ(next.value, nullptr);
  }
  ItemsPtr empty = junk->GetItems().value;
  EXPECT_TRUE(empty->GetFirst().ok());
  EXPECT_EQ(empty->GetFirst().value, nullptr);
}

// --- Fault switches ---

TEST_F(MemoryStoreTest, AFailingCallReturnsItsStatusAndAnEmptyValueAndChangesNothing) {
  MailItemPtr mail = store.AddMail(store.Inbox(), {.subject = u"Hello"});
  ASSERT_TRUE(store.Faults().FailAlways("MailItem.Subject", hr::kAccessDenied));
  ASSERT_TRUE(store.Faults().FailAlways("MailItem.SetSubject", hr::kFail));
  ASSERT_TRUE(store.Faults().FailAlways("MailItem.Move", hr::kFail));
  EXPECT_EQ(mail->Subject().status, hr::kAccessDenied);
  EXPECT_EQ(mail->Subject().value, u"");
  EXPECT_EQ(mail->SetSubject(u"<*5*>Hello"), hr::kFail);
  Result<DispatchPtr> moved = mail->Move(junk);
  EXPECT_EQ(moved.status, hr::kFail);
  EXPECT_EQ(moved.value, nullptr);
  EXPECT_EQ(MemoryStore::Inspect(mail)->subject, u"Hello");
  EXPECT_EQ(store.FolderNameOf(mail), u"Inbox");
}

TEST_F(MemoryStoreTest, ASwitchForTheNextCallsLetsLaterCallsSucceed) {
  FolderPtr inbox = store.Inbox();
  ASSERT_TRUE(store.Faults().FailNext("Folder.Name", hr::kFail, 2));
  EXPECT_EQ(inbox->Name().status, hr::kFail);
  EXPECT_EQ(inbox->Name().status, hr::kFail);
  EXPECT_EQ(inbox->Name().value, u"Inbox");
  EXPECT_EQ(store.Faults().Calls("Folder.Name"), 3);
}

TEST_F(MemoryStoreTest, ClearedSwitchesStopFailing) {
  ASSERT_TRUE(store.Faults().FailAlways("Folders.Count", hr::kFail));
  store.Faults().Clear("Folders.Count");
  EXPECT_EQ(store.Root()->GetFolders().value->Count().value, 4);
}

TEST(MemoryStoreFaults, MistakenSwitchesAreRefused) {
  MemoryStore store;
  EXPECT_FALSE(store.Faults().FailAlways("MailItem.Subjekt", hr::kFail));
  EXPECT_FALSE(store.Faults().FailAlways("MailItem.Subject", hr::kOk));
  EXPECT_FALSE(store.Faults().FailNext("MailItem.Subject", hr::kFail, 0));
  for (std::string_view operation : FaultSwitches::Operations()) {
    EXPECT_NE(operation.find('.'), std::string_view::npos) << operation;
  }
}

TEST_F(MemoryStoreTest, FailedSubscriptionsLeaveTheSourceWithoutTheSink) {
  ASSERT_TRUE(store.Faults().FailAlways("Items.Advise", hr::kFail));
  EXPECT_EQ(store.Inbox()->GetItems().value->Advise(EventInterface::ItemsEvents, &recorder).status,
            hr::kFail);
  EXPECT_EQ(store.ItemAddSinks(store.Inbox()), 0u);
}

// --- Faces ---

struct FaceCase {
  const char* what;
  std::function<DispatchPtr(MemoryStore&)> make;
  bool mail, task, folder, button, popup, pages, application;
};

class FaceQueries : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceQueries, AnswerOnlyForTheFacesAnObjectHas) {
  MemoryStore store;
  const FaceCase& c = GetParam();
  DispatchPtr object = c.make(store);
  ASSERT_NE(object, nullptr) << c.what;
  EXPECT_EQ(object->AsMailItem() != nullptr, c.mail) << c.what;
  EXPECT_EQ(object->AsTaskItem() != nullptr, c.task) << c.what;
  EXPECT_EQ(object->AsFolder() != nullptr, c.folder) << c.what;
  EXPECT_EQ(object->AsCommandBarButton() != nullptr, c.button) << c.what;
  EXPECT_EQ(object->AsCommandBarPopup() != nullptr, c.popup) << c.what;
  EXPECT_EQ(object->AsPropertyPages() != nullptr, c.pages) << c.what;
  EXPECT_EQ(object->AsApplication() != nullptr, c.application) << c.what;
}

DispatchPtr MenuControl(MemoryStore& store, std::int32_t index) {
  return store.GetApplication()
      ->ActiveExplorer()
      .value->GetCommandBars()
      .value->ActiveMenuBar()
      .value->Controls()
      .value->Item(index)
      .value;
}

INSTANTIATE_TEST_SUITE_P(
    Objects, FaceQueries,
    ::testing::Values(
        FaceCase{"mail item",
                 [](MemoryStore& s) -> DispatchPtr { return s.AddMail(s.Inbox(), {}); }, true,
                 false, false, false, false, false, false},
        FaceCase{"meeting request",
                 [](MemoryStore& s) { return s.DeliverMeetingRequest(s.Inbox(), u"Meet"); }, false,
                 false, false, false, false, false, false},
        FaceCase{"task item", [](MemoryStore& s) -> DispatchPtr { return s.MakeTask(u"Do", u""); },
                 false, true, false, false, false, false, false},
        FaceCase{"folder", [](MemoryStore& s) -> DispatchPtr { return s.Inbox(); }, false, false,
                 true, false, false, false, false},
        FaceCase{"root's parent", [](MemoryStore& s) { return s.Root()->Parent().value; }, false,
                 false, false, false, false, false, false},
        FaceCase{"menu popup", [](MemoryStore& s) { return MenuControl(s, 5); }, false, false,
                 false, false, true, false, false},
        FaceCase{"new button",
                 [](MemoryStore& s) {
                   return s.GetApplication()
                       ->ActiveExplorer()
                       .value->GetCommandBars()
                       .value->Add(u"Bar", olk::kBarTop, true)
                       .value->Controls()
                       .value->Add(olk::kControlButton, true)
                       .value;
                 },
                 false, false, false, true, false, false, false},
        FaceCase{"pages", [](MemoryStore& s) -> DispatchPtr { return s.FireOptionsPagesAdd(); },
                 false, false, false, false, false, true, false},
        FaceCase{"application", [](MemoryStore& s) -> DispatchPtr { return s.GetApplication(); },
                 false, false, false, false, false, false, true}));

// --- Collections ---

TEST_F(MemoryStoreTest, CollectionIndexesStartAtOne) {
  FoldersPtr folders = store.Root()->GetFolders().value;
  ASSERT_EQ(folders->Count().value, 4);
  EXPECT_EQ(folders->Item(0).status, hr::kInvalidArg);
  EXPECT_EQ(folders->Item(1).value->Name().value, u"Inbox");
  EXPECT_EQ(folders->Item(4).value->Name().value, u"Junk E-mail");
  EXPECT_EQ(folders->Item(5).status, hr::kInvalidArg);

  MailItemPtr mail = store.AddMail(store.Inbox(), {.recipients = {u"a@x", u"b@x"}});
  RecipientsPtr recipients = mail->GetRecipients().value;
  EXPECT_EQ(recipients->Item(1).value->Address().value, u"a@x");
  EXPECT_EQ(recipients->Item(2).value->Address().value, u"b@x");
  EXPECT_FALSE(recipients->Item(3).ok());

  store.SetSelection({mail, store.DeliverMeetingRequest(junk, u"Meet")});
  SelectionPtr selection = store.GetApplication()->ActiveExplorer().value->GetSelection().value;
  ASSERT_EQ(selection->Count().value, 2);
  EXPECT_NE(selection->Item(1).value->AsMailItem(), nullptr);
  EXPECT_EQ(selection->Item(2).value->AsMailItem(), nullptr);
  EXPECT_FALSE(selection->Item(0).ok());
}

TEST_F(MemoryStoreTest, FoldersKnowTheirParentsUpToTheNamespace) {
  FolderPtr sub = store.AddFolder(store.Inbox(), u"Lists");
  EXPECT_EQ(sub->Parent().value->AsFolder()->Name().value, u"Inbox");
  EXPECT_EQ(store.Inbox()->Parent().value->AsFolder()->Name().value, u"Personal Folders");
  DispatchPtr top = store.Root()->Parent().value;
  EXPECT_EQ(top->AsFolder(), nullptr);
}

TEST_F(MemoryStoreTest, SiblingFolderNamesStayUniqueIgnoringCase) {
  FoldersPtr folders = store.Root()->GetFolders().value;
  EXPECT_EQ(folders->Add(u"junk e-mail", olk::kFolderDrafts).status, hr::kFail);
  EXPECT_EQ(folders->Add(u"", olk::kFolderDrafts).status, hr::kInvalidArg);
  Result<FolderPtr> spam = folders->Add(u"Spam", olk::kFolderDrafts);
  ASSERT_TRUE(spam.ok());
  EXPECT_EQ(spam.value->Name().value, u"Spam");
  EXPECT_EQ(spam.value->SetName(u"INBOX"), hr::kFail);
  EXPECT_EQ(spam.value->SetName(u"SPAM"), hr::kOk);
  EXPECT_NE(store.TopFolder(u"SPAM"), nullptr);
}

TEST_F(MemoryStoreTest, TheNamespaceGivesDefaultFoldersAndAddressLists) {
  store.AddAddressList(u"Contacts", {{u"Ann", u"ann@example.com"}, {u"Bob", u"bob@example.com"}});
  ApplicationPtr application = store.GetApplication();
  EXPECT_EQ(application->GetNamespace(u"CDO").status, hr::kInvalidArg);
  NameSpacePtr mapi = application->GetNamespace(u"MAPI").value;
  ASSERT_NE(mapi, nullptr);
  EXPECT_EQ(mapi->GetDefaultFolder(olk::kFolderInbox).value->Name().value, u"Inbox");
  EXPECT_EQ(mapi->GetDefaultFolder(99).status, hr::kInvalidArg);
  AddressListsPtr lists = mapi->GetAddressLists().value;
  ASSERT_EQ(lists->Count().value, 1);
  AddressEntriesPtr entries = lists->Item(1).value->GetAddressEntries().value;
  ASSERT_EQ(entries->Count().value, 2);
  EXPECT_EQ(entries->Item(2).value->Name().value, u"Bob");
  EXPECT_EQ(entries->Item(2).value->Address().value, u"bob@example.com");
}

// --- Items ---

TEST_F(MemoryStoreTest, WrittenPropertiesCountAsUnsavedUntilSaved) {
  MailItemPtr mail = store.AddMail(store.Inbox(), {.subject = u"Hello"});
  mail->SetSubject(u"<*5*>Hello");
  EXPECT_TRUE(MemoryStore::Inspect(mail)->unsavedChanges);
  EXPECT_EQ(mail->Save(), hr::kOk);
  EXPECT_FALSE(MemoryStore::Inspect(mail)->unsavedChanges);
  EXPECT_EQ(MemoryStore::Inspect(mail)->saves, 1);
  mail->SetUnRead(false);
  EXPECT_FALSE(MemoryStore::Inspect(mail)->unread);
}

TEST_F(MemoryStoreTest, AMovedItemIsTheSameMessageInItsNewFolder) {
  MailItemPtr mail =
      store.AddMail(store.Inbox(), {.subject = u"Hi", .sensitivity = olk::kSensitivityPrivate});
  MailItemPtr moved = mail->Move(junk).value->AsMailItem();
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->Sensitivity().value, olk::kSensitivityPrivate);
  moved->SetSubject(u"changed");
  EXPECT_EQ(mail->Subject().value, u"changed");
  EXPECT_EQ(moved->EntryID().value, mail->EntryID().value);
}

TEST_F(MemoryStoreTest, AMoveToAFolderOfAnotherStoreIsRefused) {
  MemoryStore other;
  MailItemPtr mail = store.AddMail(store.Inbox(), {});
  EXPECT_EQ(mail->Move(other.Inbox()).status, hr::kInvalidArg);
  EXPECT_EQ(mail->Move(nullptr).status, hr::kPointer);
  EXPECT_EQ(store.FolderNameOf(mail), u"Inbox");
}

TEST_F(MemoryStoreTest, NewMailGetsIncreasingReceivedTimesDistinctEntryIdsAndAnEstimatedSize) {
  MailItemPtr first = store.DeliverNewMail({.body = u"text"});
  MailItemPtr second = store.DeliverNewMail({.size = 42});
  EXPECT_LT(first->ReceivedTime().value, second->ReceivedTime().value);
  EXPECT_FALSE(first->EntryID().value.empty());
  EXPECT_NE(first->EntryID().value, second->EntryID().value);
  EXPECT_GT(first->Size().value, 0);
  EXPECT_EQ(second->Size().value, 42);
}

TEST(MemoryStoreLifetime, HandlesOutliveTheStoreObject) {
  ItemsPtr items;
  DispatchPtr kept;
  {
    MemoryStore store;
    store.AddMail(store.Inbox(), {.subject = u"kept"});
    items = store.Inbox()->GetItems().value;
    store.SetSelection({store.Inbox()});  // a store object that is not an item
  }
  kept = items->GetFirst().value;
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->AsMailItem()->Subject().value, u"kept");
}

// --- Explorer and command bars ---

TEST_F(MemoryStoreTest, WithoutAnExplorerActiveExplorerSucceedsWithNone) {
  store.SetActiveExplorer(false);
  Result<ExplorerPtr> explorer = store.GetApplication()->ActiveExplorer();
  EXPECT_TRUE(explorer.ok());
  EXPECT_EQ(explorer.value, nullptr);
}

TEST_F(MemoryStoreTest, TheExplorerShowsTheCurrentFolder) {
  ExplorerPtr explorer = store.GetApplication()->ActiveExplorer().value;
  EXPECT_EQ(explorer->CurrentFolder().value->Name().value, u"Inbox");
  store.SetCurrentFolder(junk);
  EXPECT_EQ(explorer->CurrentFolder().value->Name().value, u"Junk E-mail");
}

TEST_F(MemoryStoreTest, ButtonsRecordTheirPropertiesAndFaceAndRaiseClick) {
  MemoryClipboard clipboard;
  store.SetClipboard(&clipboard);
  CommandBarsPtr bars = store.GetApplication()->ActiveExplorer().value->GetCommandBars().value;
  CommandBarPtr bar = bars->Add(u"Tamsquill", olk::kBarTop, true).value;
  CommandBarButtonPtr button =
      bar->Controls().value->Add(olk::kControlButton, true).value->AsCommandBarButton();
  ASSERT_NE(button, nullptr);

  EXPECT_EQ(button->PasteFace(), hr::kFail);  // nothing on the clipboard yet
  clipboard.PutBitmap(202);
  button->SetStyle(olk::kButtonIconAndCaption);
  EXPECT_EQ(button->PasteFace(), hr::kOk);
  button->SetCaption(u"To Spam");
  button->SetVisible(true);
  button->Advise(EventInterface::CommandBarButtonEvents, &recorder);

  auto stored = store.Button(u"To Spam");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->face, 202);
  EXPECT_EQ(stored->propertyLog,
            (std::vector<std::u16string>{u"Style=3", u"PasteFace=202", u"Caption=To Spam",
                                         u"Visible=true"}));
  EXPECT_FALSE(store.Toolbar(u"Tamsquill")->visible);
  bar->SetVisible(true);
  EXPECT_TRUE(store.Toolbar(u"Tamsquill")->visible);
  EXPECT_TRUE(store.Click(u"To Spam"));
  EXPECT_FALSE(store.Click(u"Nothing"));
  EXPECT_EQ(log, (Log{"Click button"}));
}

TEST_F(MemoryStoreTest, AMenuBarCanHaveFewerPopupsOrOtherControls) {
  store.SetMenuBar({ControlKind::Popup, ControlKind::Popup, ControlKind::Popup, ControlKind::Popup,
                    ControlKind::Popup, ControlKind::Popup, ControlKind::Button});
  CommandBarControlsPtr menus = store.GetApplication()
                                    ->ActiveExplorer()
                                    .value->GetCommandBars()
                                    .value->ActiveMenuBar()
                                    .value->Controls()
                                    .value;
  CommandBarPopupPtr tools = menus->Item(5).value->AsCommandBarPopup();
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(menus->Item(7).value->AsCommandBarPopup(), nullptr);
  EXPECT_FALSE(menus->Item(8).ok());

  CommandBarControlsPtr items = tools->Controls().value;
  ASSERT_NE(items->Add(olk::kControlButton, true).value->AsCommandBarButton(), nullptr);
  EXPECT_EQ(store.MenuBar()->controls->at(4)->controls->size(), 1u);
  EXPECT_EQ(items->Item(1).value->AsCommandBarButton() != nullptr, true);
}

TEST_F(MemoryStoreTest, AShortMenuBarHasNoFifthMenu) {
  store.SetMenuBarPopups(4);
  CommandBarControlsPtr menus = store.GetApplication()
                                    ->ActiveExplorer()
                                    .value->GetCommandBars()
                                    .value->ActiveMenuBar()
                                    .value->Controls()
                                    .value;
  EXPECT_TRUE(menus->Item(4).ok());
  EXPECT_EQ(menus->Item(5).status, hr::kInvalidArg);
}

TEST_F(MemoryStoreTest, ThePageSiteCountsStatusChanges) {
  PropertyPageSitePtr site = store.PageSite();
  site->OnStatusChange();
  site->OnStatusChange();
  EXPECT_EQ(store.StatusChanges(), 2);
}

}  // namespace
}  // namespace skerrow
