#include "spamfolder/UserCommands.h"

#include <gtest/gtest.h>

#include "tests/spamfolder/SpamFolderScene.h"

namespace skerrow {
namespace {

using Failures = std::vector<LoggedFailure>;
using Subjects = std::vector<std::u16string>;

// Every command runs from a Click, as in the mail client: what it causes is
// delivered after it returns.
class UserCommandsTest : public testing::Test {
 protected:
  UserCommandsTest() { junk = scene.store.AddFolder(u"Junk E-mail"); }

  MailItemPtr Mail(const FolderPtr& folder, std::u16string subject,
                   std::int32_t sensitivity = olk::kSensitivityNormal) {
    return scene.store.AddMail(folder, {.subject = std::move(subject),
                                        .body = u"See the attached offer",
                                        .sender = u"Carl",
                                        .sensitivity = sensitivity});
  }
  Subjects In(const FolderPtr& folder) { return scene.store.SubjectsIn(folder); }
  void Click(std::u16string_view caption) { ASSERT_TRUE(scene.store.Click(caption)); }

  SpamFolderScene scene;
  FolderPtr junk;
};

// --- To Spam

TEST_F(UserCommandsTest, ToSpamMovesTheMarkedInboxMessagesAndTheWatcherTakesThemIn) {
  const FolderPtr inbox = scene.store.Inbox();
  Mail(inbox, u"<*5*>[SpamBody     ]Pills");
  Mail(inbox, u"Lunch?");
  Mail(inbox, u"<*3*>Empty");
  Mail(inbox, u"_<*5*>Strayed");
  scene.Connect();

  Click(u"To Spam");
  EXPECT_EQ(In(inbox), (Subjects{u"Lunch?", u"_<*5*>Strayed"}));
  EXPECT_EQ(In(junk), (Subjects{u"_<*5*>[SpamBody     ]Pills", u"_<*3*>Empty"}));
  for (const DispatchPtr& item : scene.store.ItemsIn(junk)) {
    EXPECT_FALSE(MemoryStore::Inspect(item)->unread);
  }
  EXPECT_TRUE(scene.trainer.lessons.empty());
  EXPECT_TRUE(scene.world.ui().Texts().empty());
}

TEST_F(UserCommandsTest, ToSpamWithNothingMarkedSaysSoAndMovesNothing) {
  Mail(scene.store.Inbox(), u"Lunch?");
  scene.Connect();
  Click(u"To Spam");
  EXPECT_EQ(scene.world.ui().Texts(), std::vector<std::string>{"Warning: Nothing to move."});
  EXPECT_EQ(In(scene.store.Inbox()), Subjects{u"Lunch?"});
}

TEST_F(UserCommandsTest, ToSpamWithoutTheInboxStillSaysThereIsNothingToMove) {
  scene.store.Faults().FailNext("NameSpace.GetDefaultFolder", hr::kFail, 1);
  scene.Connect();
  Click(u"To Spam");
  EXPECT_EQ(scene.world.ui().Texts(), std::vector<std::string>{"Warning: Nothing to move."});
}

TEST_F(UserCommandsTest, ToSpamGoesOnPastAMessageThatCannotBeMoved) {
  const FolderPtr inbox = scene.store.Inbox();
  Mail(inbox, u"<*5*>First");
  Mail(inbox, u"<*5*>Second");
  scene.Connect();
  scene.store.Faults().FailNext("MailItem.Move", hr::kFail, 1);
  Click(u"To Spam");
  EXPECT_EQ(In(inbox), Subjects{u"<*5*>First"});
  EXPECT_EQ(In(junk), Subjects{u"_<*5*>Second"});
  EXPECT_EQ(scene.Failures(), (Failures{{201105, hr::kFail}}));
}

// --- To Inbox

TEST_F(UserCommandsTest, ToInboxIsRefusedOutsideTheSpamFolder) {
  const MailItemPtr spam = Mail(junk, u"_<*5*>Pills");
  scene.Connect();
  scene.store.SetSelection({spam});
  Click(u"To Inbox");
  EXPECT_EQ(scene.world.ui().Texts(),
            std::vector<std::string>{"This command is valid only for the Spam Folder!"});
  EXPECT_EQ(In(junk), Subjects{u"_<*5*>Pills"});
}

TEST_F(UserCommandsTest, ToInboxWithoutAnExplorerStillSaysItIsOnlyForTheSpamFolder) {
  scene.Connect();
  scene.store.SetActiveExplorer(false);
  Click(u"To Inbox");
  EXPECT_EQ(scene.world.ui().Texts(),
            std::vector<std::string>{"This command is valid only for the Spam Folder!"});
}

TEST_F(UserCommandsTest, ToInboxReturnsTheSelectionAndTheWatcherReleasesIt) {
  const MailItemPtr taken = Mail(junk, u"_<*5*>[MarkByUser   ]Hello");
  const MailItemPtr marked = Mail(junk, u"<*5*>Other");
  const DispatchPtr meeting = scene.store.DeliverMeetingRequest(junk, u"Standup");
  scene.Connect();
  scene.store.SetCurrentFolder(junk);
  scene.store.SetSelection({taken, meeting, marked});

  Click(u"To Inbox");
  EXPECT_EQ(In(scene.store.Inbox()), (Subjects{u"Hello", u"Other"}));
  EXPECT_EQ(In(junk), Subjects{u"Standup"});
  EXPECT_EQ(scene.trainer.lessons, (Lessons{"UnlearnSpam Other", "UnlearnSpam Hello"}));
  EXPECT_EQ(scene.Failures(), (Failures{{201602, -1}}));
}

TEST_F(UserCommandsTest, ToInboxWithAnEmptySelectionDoesNothing) {
  scene.Connect();
  scene.store.SetCurrentFolder(junk);
  Click(u"To Inbox");
  EXPECT_TRUE(scene.world.ui().Texts().empty());
  EXPECT_TRUE(scene.Failures().empty());
}

// --- Mark and Unmark

TEST_F(UserCommandsTest, MarkLearnsAndMarksEveryMailOfTheSelectionWithoutTheInboxMarker) {
  scene.world.options().bAddReportMarksToSubj = 1;
  const FolderPtr inbox = scene.store.Inbox();
  const MailItemPtr plain = Mail(inbox, u"Hello");
  const MailItemPtr marked = Mail(inbox, u"<*5*>Marked");
  const DispatchPtr meeting = scene.store.DeliverMeetingRequest(inbox, u"Standup");
  const MailItemPtr inSpam = Mail(inbox, u"_<*5*>Taken");
  scene.Connect();
  scene.store.SetSelection({plain, marked, meeting, inSpam});

  // The Spam-folder marker is no Inbox marker: that message is learned again
  // and gets a second marker in front of the first.
  Click(u"Mark");
  EXPECT_EQ(In(inbox), (Subjects{u"<*5*>[MarkByUser   ]Hello", u"<*5*>Marked", u"Standup",
                                 u"<*5*>[MarkByUser   ]_<*5*>Taken"}));
  EXPECT_EQ(scene.trainer.lessons, (Lessons{"LearnSpam Hello", "LearnSpam _<*5*>Taken"}));
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 2);
  EXPECT_TRUE(scene.Failures().empty());

  // A later To Spam takes the marked messages over.
  Click(u"To Spam");
  EXPECT_EQ(In(junk), (Subjects{u"_<*5*>[MarkByUser   ]Hello", u"_<*5*>Marked",
                                u"_<*5*>[MarkByUser   ]_<*5*>Taken"}));
  EXPECT_EQ(scene.trainer.lessons.size(), 2u);
}

TEST_F(UserCommandsTest, MarkWithAutomaticMovingSendsTheMessageToTheSpamFolderLearnedOnce) {
  scene.world.options().bSpamAutoMove = 1;
  const MailItemPtr plain = Mail(scene.store.Inbox(), u"Hello");
  scene.Connect();
  scene.store.SetSelection({plain});
  Click(u"Mark");
  EXPECT_EQ(In(junk), Subjects{u"_<*5*>Hello"});
  EXPECT_EQ(scene.trainer.lessons, Lessons{"LearnSpam Hello"});
}

TEST_F(UserCommandsTest, MarkTeachesAPrivateMessageAtEveryClickButTheWatcherNever) {
  scene.world.options().bSpamAutoMove = 1;
  const MailItemPtr secret = Mail(scene.store.Inbox(), u"Our plans", olk::kSensitivityPrivate);
  scene.Connect();
  scene.store.SetSelection({secret});
  Click(u"Mark");
  EXPECT_EQ(In(junk), Subjects{u"Our plans"});

  scene.store.UserMove(Mail(scene.store.Inbox(), u"Next"), junk);
  scene.store.SetSelection({secret});
  Click(u"Mark");
  EXPECT_EQ(scene.trainer.lessons,
            (Lessons{"LearnSpam Our plans", "RelearnSpam Next", "LearnSpam Our plans"}));
}

TEST_F(UserCommandsTest, MarkTeachesAPrivateMessageDraggedBackToTheInbox) {
  const MailItemPtr secret = Mail(scene.store.Inbox(), u"Our plans", olk::kSensitivityPrivate);
  scene.Connect();
  scene.store.UserMove(secret, junk);
  scene.store.UserMove(secret, scene.store.Inbox());
  scene.store.SetSelection({secret});
  Click(u"Mark");
  EXPECT_EQ(scene.trainer.lessons, (Lessons{"RelearnSpam Our plans", "LearnSpam Our plans"}));
}

TEST_F(UserCommandsTest, UnmarkReleasesOnlyMessagesWithTheInboxMarker) {
  const FolderPtr inbox = scene.store.Inbox();
  const MailItemPtr marked = Mail(inbox, u"<*5*>[SpamBody     ]Pills");
  const MailItemPtr taken = Mail(inbox, u"_<*5*>Taken");
  const MailItemPtr plain = Mail(inbox, u"Plain");
  scene.Connect();
  scene.store.SetSelection({marked, taken, plain});
  Click(u"Unmark");
  EXPECT_EQ(In(inbox), (Subjects{u"Pills", u"_<*5*>Taken", u"Plain"}));
  EXPECT_EQ(scene.trainer.lessons, Lessons{"UnlearnSpam Pills"});
}

TEST_F(UserCommandsTest, AnUnreadableSubjectHasNoInboxMarkerAndLogsNoSpamFolderPlace) {
  const MailItemPtr marked = Mail(scene.store.Inbox(), u"<*5*>Pills");
  scene.Connect();
  scene.store.SetSelection({marked});
  scene.store.Faults().FailNext("MailItem.Subject", hr::kFail, 1);
  Click(u"Unmark");
  EXPECT_EQ(In(scene.store.Inbox()), Subjects{u"<*5*>Pills"});
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(UserCommandsTest, ASelectionOfNothingDoesNothingAndSaysNothing) {
  scene.Connect();
  Click(u"Mark");
  Click(u"Unmark");
  EXPECT_TRUE(scene.trainer.lessons.empty());
  EXPECT_TRUE(scene.world.ui().Texts().empty());
  EXPECT_TRUE(scene.Failures().empty());
}

TEST_F(UserCommandsTest, ASelectedObjectThatCannotBeFetchedIsLoggedAndSkipped) {
  const MailItemPtr first = Mail(scene.store.Inbox(), u"First");
  const MailItemPtr second = Mail(scene.store.Inbox(), u"Second");
  scene.Connect();
  scene.store.SetSelection({first, second});
  scene.store.Faults().FailNext("Selection.Item", hr::kFail, 1);
  Click(u"Mark");
  EXPECT_EQ(scene.trainer.lessons, Lessons{"LearnSpam Second"});
  EXPECT_EQ(scene.Failures(), (Failures{{201804, hr::kFail}}));
}

// --- Help and the menu items

TEST_F(UserCommandsTest, HelpOpensTheHelpFileOfTheInstallationFolder) {
  scene.Connect();
  Click(u"Skerrow Help.");
  ASSERT_EQ(scene.world.shell().opens.size(), 1u);
  EXPECT_EQ(scene.world.shell().opens[0].verb, "open");
  EXPECT_EQ(scene.world.shell().opens[0].file,
            scene.world.options().InstallFolder + "\\Skerrow.chm");
  EXPECT_EQ(scene.world.shell().opens[0].showCommand, 1);
}

TEST_F(UserCommandsTest, TheMenuItemsRunTheSameCommandsAsTheButtons) {
  const MailItemPtr plain = Mail(scene.store.Inbox(), u"Hello");
  scene.Connect();
  scene.store.SetSelection({plain});
  Click(u"Mark selected letters as Spam.");
  Click(u"Move marked spam letters to the Spam folder.");
  EXPECT_EQ(In(junk), Subjects{u"_<*5*>Hello"});
  scene.store.SetSelection({plain});
  Click(u"Unmark spam letters and move to the Inbox folder.");
  EXPECT_EQ(scene.world.ui().Texts(),
            std::vector<std::string>{"This command is valid only for the Spam Folder!"});
  Click(u"Unmark selected letters.");
  EXPECT_EQ(scene.trainer.lessons, Lessons{"LearnSpam Hello"});
}

}  // namespace
}  // namespace skerrow
