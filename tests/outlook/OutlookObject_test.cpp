#include "host/outlook/OutlookObject.h"

#include <gtest/gtest.h>

#include "tests/outlook/OutlookScene.h"

namespace skerrow {
namespace {

using OutlookObjectTest = OutlookScene;

constexpr HResult kDenied = hr::kAccessDenied;

TEST_F(OutlookObjectTest, EachMemberNameIsLookedUpOncePerTypeOfObject) {
  store.AddMail(store.Inbox(), {.subject = u"First"});
  store.AddMail(store.Inbox(), {.subject = u"Second"});
  ItemsPtr items = AdaptFolder(store.Inbox())->GetItems().value;
  MailItemPtr first = items->GetFirst().value->AsMailItem();
  MailItemPtr second = items->GetNext().value->AsMailItem();
  EXPECT_EQ(first->Subject().value, u"First");
  const int lookups = outlook.NameLookups();
  EXPECT_EQ(second->Subject().value, u"Second");
  EXPECT_EQ(outlook.NameLookups(), lookups) << "another mail item, the same type";

  // The same name on another type has an id of its own.
  EXPECT_EQ(items->Count().value, 2);
  EXPECT_EQ(AdaptFolder(store.Root())->GetFolders().value->Count().value, 3);
}

TEST_F(OutlookObjectTest, ArgumentsArriveInOrderWithOptionalOnesLeftOut) {
  FoldersPtr folders = AdaptFolder(store.Root())->GetFolders().value;
  Result<FolderPtr> added = folders->Add(u"Junk E-mail", olk::kFolderDrafts);
  ASSERT_TRUE(added.ok());
  EXPECT_EQ(added.value->Name().value, u"Junk E-mail");

  ASSERT_NE(Bars(), nullptr);
  Result<CommandBarPtr> bar = Bars()->Add(u"Tamsquill", olk::kBarTop, true);
  ASSERT_TRUE(bar.ok()) << std::hex << bar.status;
  ASSERT_NE(store.Toolbar(u"Tamsquill"), nullptr);
  EXPECT_EQ(store.Toolbar(u"Tamsquill")->position, olk::kBarTop);
  EXPECT_TRUE(store.Toolbar(u"Tamsquill")->temporary);

  Result<DispatchPtr> control = bar.value->Controls().value->Add(olk::kControlButton, true);
  ASSERT_TRUE(control.ok()) << std::hex << control.status;
  CommandBarButtonPtr button = control.value->AsCommandBarButton();
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(store.Buttons().back()->temporary);
  EXPECT_EQ(button->SetCaption(u"Mark"), hr::kOk);
  EXPECT_EQ(button->SetStyle(olk::kButtonIconAndCaption), hr::kOk);
  EXPECT_EQ(button->SetEnabled(false), hr::kOk);
  EXPECT_EQ(store.Buttons().back()->propertyLog,
            (std::vector<std::u16string>{u"Caption=Mark", u"Style=3", u"Enabled=false"}));

  PropertyPagesPtr pages = Adapt(store.FireOptionsPagesAdd())->AsPropertyPages();
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->Add(u"Tamsquill.PropPage", u"Skerrow"), hr::kOk);
  EXPECT_EQ(store.PagesAdded().back(), (PageAdded{u"Tamsquill.PropPage", u"Skerrow"}));
}

TEST_F(OutlookObjectTest, EachObjectAnswersForItsOwnFacesOnly) {
  store.SetMenuBar({ControlKind::Popup, ControlKind::Button});
  ASSERT_NE(Bars(), nullptr);
  CommandBarPtr menuBar = Bars()->ActiveMenuBar().value;
  ASSERT_NE(menuBar, nullptr);
  CommandBarControlsPtr menus = menuBar->Controls().value;
  ASSERT_NE(menus, nullptr);
  const struct {
    const char* what;
    DispatchPtr object;
    std::string faces;
  } cases[] = {
      {"application", Adapt(store.GetApplication()), "A"},
      {"mail item", Adapt(store.AddMail(store.Inbox(), {})), "M"},
      {"meeting request", Adapt(store.DeliverMeetingRequest(store.Inbox(), u"Meet")), ""},
      {"task item", Adapt(store.MakeTask(u"Call", u"ding.wav")), "T"},
      {"folder", Adapt(store.Inbox()), "F"},
      {"popup", menus->Item(1).value, "P"},
      {"button", menus->Item(2).value, "B"},
      {"pages", Adapt(store.FireOptionsPagesAdd()), "G"},
  };
  for (const auto& c : cases) {
    ASSERT_NE(c.object, nullptr) << c.what;
    std::string faces;
    if (c.object->AsApplication()) faces += 'A';
    if (c.object->AsMailItem()) faces += 'M';
    if (c.object->AsTaskItem()) faces += 'T';
    if (c.object->AsFolder()) faces += 'F';
    if (c.object->AsCommandBarPopup()) faces += 'P';
    if (c.object->AsCommandBarButton()) faces += 'B';
    if (c.object->AsPropertyPages()) faces += 'G';
    EXPECT_EQ(faces, c.faces) << c.what;
  }
  EXPECT_EQ(Adapt(store.MakeTask(u"Call", u"ding.wav"))->AsTaskItem()->ReminderSoundFile().value,
            u"ding.wav");
}

TEST_F(OutlookObjectTest, AFailingCallGivesTheClientsStatusAndAnEmptyValue) {
  MailItemPtr mail = AdaptMail(store.AddMail(store.Inbox(), {.subject = u"Hi", .size = 70}));
  store.Faults().FailAlways("MailItem.Subject", kDenied);
  store.Faults().FailAlways("MailItem.Size", kDenied);
  store.Faults().FailAlways("MailItem.GetRecipients", kDenied);
  store.Faults().FailAlways("NameSpace.GetDefaultFolder", kDenied);
  store.Faults().FailAlways("MailItem.SetSubject", kDenied);
  const Result<std::u16string> subject = mail->Subject();
  EXPECT_EQ(subject.status, kDenied);
  EXPECT_EQ(subject.value, u"");
  EXPECT_EQ(mail->Size().status, kDenied);
  EXPECT_EQ(mail->Size().value, 0);
  EXPECT_EQ(mail->GetRecipients().status, kDenied);
  EXPECT_EQ(mail->GetRecipients().value, nullptr);
  EXPECT_EQ(mail->SetSubject(u"x"), kDenied);
  const Result<FolderPtr> inbox =
      application->GetNamespace(u"MAPI").value->GetDefaultFolder(olk::kFolderInbox);
  EXPECT_EQ(inbox.status, kDenied);
  EXPECT_EQ(inbox.value, nullptr);
}

TEST_F(OutlookObjectTest, NothingIsAnEmptyObjectNotAFailure) {
  ItemsPtr items = AdaptFolder(store.Inbox())->GetItems().value;
  const Result<DispatchPtr> first = items->GetFirst();
  EXPECT_TRUE(first.ok());
  EXPECT_EQ(first.value, nullptr);
  store.SetActiveExplorer(false);
  const Result<ExplorerPtr> explorer = application->ActiveExplorer();
  EXPECT_TRUE(explorer.ok());
  EXPECT_EQ(explorer.value, nullptr);
}

TEST_F(OutlookObjectTest, TextsCrossTheBoundaryCodeUnitForCodeUnit) {
  const std::u16string text = u"Gr\u00fc\u00dfe \u65e5\u672c \U0001F600 \u20ac";
  MailItemPtr stored = store.AddMail(store.Inbox(), {.sender = text});
  MailItemPtr mail = AdaptMail(stored);
  EXPECT_EQ(mail->SenderName().value, text);
  EXPECT_EQ(mail->SetSubject(text), hr::kOk);
  EXPECT_EQ(MemoryStore::Inspect(stored)->subject, text);
}

TEST_F(OutlookObjectTest, APlainTextItemHasNoHtmlBody) {
  MailItemPtr plain = AdaptMail(store.AddMail(store.Inbox(), {.body = u"Hello"}));
  MailItemPtr html = AdaptMail(store.AddMail(store.Inbox(), {.htmlBody = u"<p>Hi</p>"}));
  EXPECT_EQ(plain->HTMLBody().value, u"");
  EXPECT_TRUE(plain->HTMLBody().ok());
  EXPECT_EQ(html->HTMLBody().value, u"<p>Hi</p>");
  store.Faults().FailNext("MailItem.HTMLBody", kDenied, 1);  // the format cannot be read
  EXPECT_EQ(html->HTMLBody().status, kDenied);
}

TEST_F(OutlookObjectTest, MailItemPropertiesKeepTheirTypes) {
  MailItemPtr stored = store.AddMail(store.Inbox(), {.receivedTime = 45658.375,
                                                     .size = 1234,
                                                     .importance = olk::kImportanceHigh,
                                                     .sensitivity = olk::kSensitivityPrivate});
  MailItemPtr mail = AdaptMail(stored);
  EXPECT_DOUBLE_EQ(mail->ReceivedTime().value, 45658.375);
  EXPECT_EQ(mail->Size().value, 1234);
  EXPECT_EQ(mail->Importance().value, olk::kImportanceHigh);
  EXPECT_EQ(mail->Sensitivity().value, olk::kSensitivityPrivate);
  EXPECT_EQ(mail->EntryID().value, MemoryStore::Inspect(stored)->entryId);
  EXPECT_EQ(mail->SetUnRead(false), hr::kOk);
  EXPECT_FALSE(MemoryStore::Inspect(stored)->unread);
}

TEST_F(OutlookObjectTest, MoveTakesAFolderOfTheClientOnly) {
  FolderPtr junk = store.AddFolder(u"Junk E-mail");
  MailItemPtr mail = AdaptMail(store.AddMail(store.Inbox(), {.subject = u"Offer"}));
  EXPECT_EQ(mail->Move(junk).status, hr::kInvalidArg) << "a folder of another store";
  const Result<DispatchPtr> moved = mail->Move(AdaptFolder(junk));
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(moved.value->AsMailItem()->Subject().value, u"Offer");
  EXPECT_EQ(store.SubjectsIn(junk), std::vector<std::u16string>{u"Offer"});
}

TEST_F(OutlookObjectTest, RestrictHandsTheFilterTextToTheClient) {
  store.AddMail(store.Inbox(), {.subject = u"_<*1*> Offer"});
  store.AddMail(store.Inbox(), {.subject = u"Hello"});
  ItemsPtr items = AdaptFolder(store.Inbox())->GetItems().value;
  Result<ItemsPtr> marked = items->Restrict(u"[Subject] >= \"_<*0*>\" AND [Subject] <= \"_<*9*>\"");
  ASSERT_TRUE(marked.ok());
  EXPECT_EQ(marked.value->Count().value, 1);
  EXPECT_EQ(items->Restrict(u"[Sender] = 'x'").status, hr::kInvalidArg);
}

}  // namespace
}  // namespace skerrow
