#include "spamfolder/SpamFolderManager.h"

#include <gtest/gtest.h>

#include "tests/spamfolder/SpamFolderScene.h"
#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

using Failures = std::vector<LoggedFailure>;

class SpamFolderManagerTest : public testing::Test {
 protected:
  MailItemPtr InInbox(std::u16string subject, std::u16string sender = u"Ann Smith",
                      std::int32_t sensitivity = olk::kSensitivityNormal) {
    return scene.store.AddMail(scene.store.Inbox(), {.subject = std::move(subject),
                                                     .body = u"Meet me at the harbour",
                                                     .sender = std::move(sender),
                                                     .sensitivity = sensitivity});
  }
  std::u16string Subject(const DispatchPtr& item) { return scene.SubjectOf(item); }
  bool Unread(const DispatchPtr& item) { return MemoryStore::Inspect(item)->unread; }

  SpamFolderScene scene;
};

// --- Finding the folder at start-up

TEST_F(SpamFolderManagerTest, StartUpCreatesAMissingSpamFolderOnceBesideTheInbox) {
  scene.Connect();
  ASSERT_NE(scene.Junk(), nullptr);
  EXPECT_NE(scene.store.TopFolder(u"Junk E-mail"), nullptr);
  EXPECT_EQ(scene.manager.ItemCounts().at(u"Junk E-mail"), 0);

  SpamFolderManager second(scene.world.env(), scene.trainer);
  second.LocateSpamFolder(*scene.application, nullptr);
  EXPECT_EQ(second.ItemCounts().size(), 4u);  // Inbox, Deleted Items, Sent Items, the Spam folder
  ASSERT_NE(second.SpamFolder(), nullptr);
  EXPECT_EQ(second.SpamFolderName(), u"Junk E-mail");
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(SpamFolderManagerTest, StartUpRecordsEveryTopLevelFolderAndWatchesThem) {
  scene.store.AddMail(scene.store.Inbox(), {.subject = u"one"});
  scene.store.AddMail(scene.store.Inbox(), {.subject = u"two"});
  const FolderPtr junk = scene.store.AddFolder(u"Junk E-mail");
  scene.store.AddMail(junk, {.subject = u"old spam"});
  scene.Connect();

  EXPECT_EQ(scene.manager.ItemCounts(),
            (FolderItemCounts{
                {u"Inbox", 2}, {u"Deleted Items", 0}, {u"Sent Items", 0}, {u"Junk E-mail", 1}}));
  EXPECT_EQ(scene.store.FolderNameOf(scene.store.ItemsIn(junk).front()), u"Junk E-mail");
  EXPECT_EQ(scene.store.FolderChangeSinks(scene.store.Root()), 1u);
  ASSERT_NE(scene.manager.Inbox(), nullptr);
  ASSERT_NE(scene.manager.MapiNameSpace(), nullptr);
  // The message that was there before start-up is left as it was.
  EXPECT_EQ(scene.store.SubjectsIn(junk), std::vector<std::u16string>{u"old spam"});
}

TEST_F(SpamFolderManagerTest, TheNameFromTheOptionsMustMatchInLetterCaseToo) {
  scene.world.options().sSpamBoxName = "Spam";
  scene.store.AddFolder(u"SPAM");
  scene.Connect();
  // The store keeps folder names unique ignoring case, so the folder cannot
  // be made either: the connection goes on without one.
  EXPECT_EQ(scene.Junk(), nullptr);
  EXPECT_EQ(scene.Failures().back().place, 200416);
}

TEST_F(SpamFolderManagerTest, AFailedFolderLookupIsLoggedAndTheOtherFoldersAreStillVisited) {
  scene.store.AddFolder(u"Junk E-mail");
  scene.store.Faults().FailNext("Folders.Item", hr::kFail, 1);
  scene.Connect();
  EXPECT_NE(scene.Junk(), nullptr);
  EXPECT_EQ(scene.manager.ItemCounts().count(u"Inbox"), 0u);
  EXPECT_EQ(scene.manager.ItemCounts().count(u"Sent Items"), 1u);
  EXPECT_EQ(scene.Failures(), (Failures{{200414, hr::kFail}}));
}

TEST_F(SpamFolderManagerTest, WithoutTheNamespaceNothingElseIsLookedUp) {
  scene.store.Faults().FailAlways("Application.GetNamespace", hr::kFail);
  scene.Connect();
  EXPECT_EQ(scene.Junk(), nullptr);
  EXPECT_EQ(scene.manager.Inbox(), nullptr);
  EXPECT_EQ(scene.store.FolderChangeSinks(scene.store.Root()), 0u);
  EXPECT_EQ(scene.Failures(), (Failures{{200406, hr::kFail}}));
}

TEST_F(SpamFolderManagerTest, ALaterLookupKeepsNothingOfTheEarlierConnection) {
  scene.Connect();
  scene.manager.DisconnectFolderChange();
  scene.store.Faults().FailAlways("Application.GetNamespace", hr::kFail);
  scene.manager.LocateSpamFolder(*scene.application, &scene.folderChange);
  EXPECT_EQ(scene.Junk(), nullptr);
  EXPECT_EQ(scene.manager.Inbox(), nullptr);
  EXPECT_TRUE(scene.manager.ItemCounts().empty());
}

TEST_F(SpamFolderManagerTest, DisconnectingStopsTheWatcher) {
  scene.Connect();
  scene.manager.DisconnectFolderChange();
  EXPECT_EQ(scene.store.FolderChangeSinks(scene.store.Root()), 0u);
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"Hello");
  EXPECT_TRUE(scene.trainer.lessons.empty());
}

// --- Renaming

TEST_F(SpamFolderManagerTest, RenamingFollowsTheOptionAndTheWatcherKnowsTheNewName) {
  scene.Connect();
  scene.world.options().sSpamBoxName = "Spam";
  scene.manager.RenameSpamFolder();
  EXPECT_EQ(scene.manager.SpamFolderName(), u"Spam");
  EXPECT_NE(scene.store.TopFolder(u"Spam"), nullptr);

  // The first message moved in after the rename is already taken in.
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"_<*5*>Hello");
}

TEST_F(SpamFolderManagerTest, AFailedRenameTellsTheUserAndKeepsTheOldName) {
  scene.Connect();
  scene.world.options().sSpamBoxName = "Spam";
  scene.store.Faults().FailNext("Folder.SetName", hr::kAccessDenied, 1);
  scene.manager.RenameSpamFolder();
  EXPECT_EQ(scene.world.ui().Texts(), std::vector<std::string>{"Warning: Renaming is impossible."});
  EXPECT_EQ(scene.manager.SpamFolderName(), u"Junk E-mail");
  EXPECT_NE(scene.store.TopFolder(u"Junk E-mail"), nullptr);

  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"_<*5*>Hello");
}

TEST_F(SpamFolderManagerTest, RenamingToTheSameNameLeavesTheFolderAlone) {
  scene.Connect();
  scene.manager.RenameSpamFolder();
  EXPECT_EQ(scene.store.Faults().Calls("Folder.SetName"), 0);
  EXPECT_TRUE(scene.world.ui().Texts().empty());
}

// --- Taking messages in

struct TakeInCase {
  bool reportMarks;
  bool markAsRead;
  std::u16string subject;
  bool unread;
};

class TakingInTest : public SpamFolderManagerTest,
                     public testing::WithParamInterface<TakeInCase> {};

TEST_P(TakingInTest, APlainMessageDraggedInIsReadRelearnedAndMarked) {
  const TakeInCase& c = GetParam();
  scene.world.options().bAddReportMarksToSubj = c.reportMarks;
  scene.world.options().bMarkAsRead = c.markAsRead;
  scene.Connect();
  scene.trainer.statistics.SetValidMessageCount(5);
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());

  EXPECT_EQ(Subject(mail), c.subject);
  EXPECT_EQ(Unread(mail), c.unread);
  EXPECT_EQ(scene.trainer.lessons, Lessons{"RelearnSpam Hello"});
  EXPECT_EQ(scene.trainer.statistics.ValidMessageCount(), 4);
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 1);
  EXPECT_EQ(scene.world.ui().WaitCursorDepth(), 0);
  EXPECT_FALSE(scene.world.ui().waitCursorCalls.empty());
}

INSTANTIATE_TEST_SUITE_P(Options, TakingInTest,
                         testing::Values(TakeInCase{true, true, u"_<*5*>[MarkByUser   ]Hello",
                                                    false},
                                         TakeInCase{false, true, u"_<*5*>Hello", false},
                                         TakeInCase{false, false, u"_<*5*>Hello", true}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p.subject, info.index);
                         });

TEST_F(SpamFolderManagerTest, AMessageMarkedInTheInboxOnlyGetsTheUnderscoreAndTeachesNothing) {
  scene.Connect();
  const MailItemPtr mail = InInbox(u"<*2*>[SpamSender   ]Offer");
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"_<*2*>[SpamSender   ]Offer");
  EXPECT_FALSE(Unread(mail));
  EXPECT_TRUE(scene.trainer.lessons.empty());
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 0);
}

TEST_F(SpamFolderManagerTest, APrivateMessageDraggedInIsTaughtOnceAndKeepsItsSubject) {
  scene.Connect();
  const MailItemPtr secret = InInbox(u"Our plans", u"Bob", olk::kSensitivityPrivate);
  scene.store.UserMove(secret, scene.Junk());
  EXPECT_EQ(Subject(secret), u"Our plans");
  EXPECT_FALSE(Unread(secret));

  // It never gets a marker, so every later growth meets it again.
  scene.store.UserMove(InInbox(u"Later"), scene.Junk());
  scene.store.UserMove(InInbox(u"Even later"), scene.Junk());
  EXPECT_EQ(scene.trainer.lessons,
            (Lessons{"RelearnSpam Our plans", "RelearnSpam Later", "RelearnSpam Even later"}));
}

TEST_F(SpamFolderManagerTest, TwoPrivateMessagesAlikeAreEachTaughtOnce) {
  scene.Connect();
  scene.store.UserMove(InInbox(u"Our plans", u"Bob", olk::kSensitivityPrivate), scene.Junk());
  scene.store.UserMove(InInbox(u"Our plans", u"Bob", olk::kSensitivityPrivate), scene.Junk());
  scene.store.UserMove(InInbox(u"Later"), scene.Junk());
  EXPECT_EQ(scene.trainer.lessons,
            (Lessons{"RelearnSpam Our plans", "RelearnSpam Our plans", "RelearnSpam Later"}));
}

TEST_F(SpamFolderManagerTest, AMessageWhoseMarkerCannotBeWrittenIsNotTaughtAgain) {
  scene.Connect();
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.Faults().FailNext("MailItem.SetSubject", hr::kAccessDenied, 1);
  scene.store.UserMove(mail, scene.Junk());
  scene.store.UserMove(InInbox(u"Next"), scene.Junk());
  EXPECT_EQ(scene.trainer.lessons, (Lessons{"RelearnSpam Hello", "RelearnSpam Next"}));
  // The second growth did write the marker it could not write the first time.
  EXPECT_EQ(Subject(mail), u"_<*5*>Hello");
}

TEST_F(SpamFolderManagerTest, AnUnreadableSubjectIsLoggedAtTheSpamFolderMarkerPlace) {
  scene.Connect();
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.Faults().FailNext("MailItem.Subject", hr::kFail, 1);
  scene.store.UserMove(mail, scene.Junk());
  ASSERT_FALSE(scene.Failures().empty());
  EXPECT_EQ(scene.Failures().front(), (LoggedFailure{300301, hr::kFail}));
}

TEST_F(SpamFolderManagerTest, AMeetingRequestDoesNotHoldUpTheMessagesBehindIt) {
  scene.Connect();
  scene.store.DeliverMeetingRequest(scene.Junk(), u"Team meeting");
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"_<*5*>Hello");
}

TEST_F(SpamFolderManagerTest, AFolderThatShrinksOrKeepsItsCountTriggersNothing) {
  const FolderPtr junk = scene.store.AddFolder(u"Junk E-mail");
  const MailItemPtr there = scene.store.AddMail(junk, {.subject = u"Plain"});
  scene.Connect();
  scene.store.UserMove(there, scene.store.Inbox());
  EXPECT_TRUE(scene.trainer.lessons.empty());
  EXPECT_EQ(Subject(there), u"Plain");
  EXPECT_EQ(scene.manager.ItemCounts().at(u"Junk E-mail"), 0);
}

TEST_F(SpamFolderManagerTest, AFolderMadeAfterStartUpIsOnlyRecordedAtItsFirstChange) {
  scene.Connect();
  const FolderPtr archive = scene.store.AddFolder(u"Archive");
  const MailItemPtr marked = InInbox(u"_<*5*>Hello");
  scene.store.UserMove(marked, archive);
  EXPECT_EQ(Subject(marked), u"_<*5*>Hello");
  EXPECT_EQ(scene.manager.ItemCounts().at(u"Archive"), 1);

  const MailItemPtr second = InInbox(u"_<*5*>Again");
  scene.store.UserMove(second, archive);
  EXPECT_EQ(Subject(second), u"Again");
}

// --- Releasing messages

class ReleasingTest : public SpamFolderManagerTest,
                      public testing::WithParamInterface<std::u16string> {};

TEST_P(ReleasingTest, AMarkedMessageDraggedOutLosesItsMarksAndIsUnlearned) {
  scene.world.options().bAddReportMarksToSubj = 1;
  scene.Connect();
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.UserMove(mail, scene.Junk());
  ASSERT_EQ(Subject(mail), u"_<*5*>[MarkByUser   ]Hello");

  scene.store.UserMove(mail, scene.store.TopFolder(GetParam()));
  EXPECT_EQ(Subject(mail), u"Hello");
  EXPECT_EQ(scene.trainer.lessons, (Lessons{"RelearnSpam Hello", "UnlearnSpam Hello"}));
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 1);
  EXPECT_FALSE(scene.trainer.statistics.SpamSubjects().IsListed("Hello"));

  // Dragged in again, it is a new lesson.
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(scene.trainer.lessons.back(), "RelearnSpam Hello");
}

INSTANTIATE_TEST_SUITE_P(Destinations, ReleasingTest,
                         testing::Values(u"Inbox", u"Deleted Items", u"Sent Items"),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p, info.index);
                         });

TEST_F(SpamFolderManagerTest, OnlyTopLevelFoldersAreWatched) {
  scene.Connect();
  const FolderPtr sub = scene.store.AddFolder(scene.store.Inbox(), u"Friends");
  const MailItemPtr mail = scene.store.AddMail(scene.Junk(), {.subject = u"_<*5*>Hello"});
  scene.store.UserMove(mail, sub);
  EXPECT_EQ(Subject(mail), u"_<*5*>Hello");
  EXPECT_TRUE(scene.trainer.lessons.empty());
}

TEST_F(SpamFolderManagerTest, AFailedRestrictionIsLoggedAndChangesNothing) {
  scene.Connect();
  const MailItemPtr mail = InInbox(u"Hello");
  scene.store.Faults().FailAlways("Items.Restrict", hr::kFail);
  scene.store.UserMove(mail, scene.Junk());
  EXPECT_EQ(Subject(mail), u"Hello");
  // The Inbox shrank: only the Spam folder's growth restricts.
  EXPECT_EQ(scene.Failures(), (Failures{{202511, hr::kFail}}));
  EXPECT_EQ(scene.world.ui().WaitCursorDepth(), 0);
}

TEST_F(SpamFolderManagerTest, AcceptingNoItemIsLogged) {
  scene.Connect();
  scene.manager.AcceptIntoSpamFolder(nullptr);
  EXPECT_EQ(scene.Failures(), (Failures{{202603, -1}}));
}

}  // namespace
}  // namespace skerrow
