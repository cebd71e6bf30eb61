#include "addin/NewMailProcessor.h"

#include <gtest/gtest.h>

#include "engine/AddressBook.h"
#include "engine/EngineStages.h"
#include "engine/MailClassifier.h"
#include "tests/spamfolder/SpamFolderScene.h"
#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

using Failures = std::vector<LoggedFailure>;
using Subjects = std::vector<std::u16string>;

// Stages that judge by the subject's first word and record what the pipeline
// asked of them: "valid ..." is on the valid lists, "rule ..." fires the
// spam-body rule, "bayes ..." scores 0.97, "foreign ..." is in an illegal
// language; anything else passes every test with a score of 0.2.
class SubjectStages : public ClassifierStages {
 public:
  std::vector<std::string> calls;

  void extractFeatures(MailItem& item, MessageFeatures& features) override {
    const std::u16string subject = item.Subject().value;
    features.subject.assign(subject.begin(), subject.end());
    calls.push_back("extract " + features.subject);
  }
  bool isValidMessage(const MessageFeatures& features) override {
    return Starts(features, "valid");
  }
  SpamReason testIllegalLanguage(MailItem& item) override {
    const std::u16string subject = item.Subject().value;
    return subject.starts_with(u"foreign") ? SpamReason::LangSubject : SpamReason::None;
  }
  SpamReason checkRules(const MessageFeatures& features) override {
    return Starts(features, "rule") ? SpamReason::SpamBody : SpamReason::None;
  }
  double BayesProbability(const WordSet&, int) override { return bayes ? 0.97 : 0.2; }
  void LearnValid(const MessageFeatures& features) override {
    calls.push_back("LearnValid " + features.subject);
  }
  void LearnSpam(const MessageFeatures& features) override {
    calls.push_back("LearnSpam " + features.subject);
  }

  bool bayes = false;

 private:
  static bool Starts(const MessageFeatures& features, std::string_view word) {
    return features.subject.starts_with(word);
  }
};

// The Spam folder side of the scene plus new mail processing, subscribed to
// the Inbox's ItemAdd the way the add-in subscribes it.
class NewMailProcessorTest : public testing::Test {
 protected:
  NewMailProcessorTest() {
    scene.Connect();
    const Result<ItemsPtr> items = scene.manager.Inbox()->GetItems();
    items.value->Advise(EventInterface::ItemsEvents, &itemAdd);
    inboxItems = items.value;
  }

  MailItemPtr Deliver(std::u16string subject, std::int32_t sensitivity = olk::kSensitivityNormal) {
    return scene.store.DeliverNewMail({.subject = std::move(subject),
                                       .body = u"A message body",
                                       .sender = u"Dora",
                                       .sensitivity = sensitivity});
  }
  std::u16string Subject(const DispatchPtr& item) { return scene.SubjectOf(item); }
  std::u16string Folder(const DispatchPtr& item) { return scene.store.FolderNameOf(item); }
  FilterOptions& options() { return scene.world.options(); }

  SpamFolderScene scene;
  SubjectStages stages;
  MailClassifier classifier{stages, scene.world.options(), scene.world.log()};
  NewMailProcessor processor{scene.world.env(), classifier, scene.manager};
  FunctionSink itemAdd{
      [this](const std::vector<DispatchPtr>& args) { processor.OnNewInboxItem(args.at(0)); }};
  ItemsPtr inboxItems;
};

// --- The verdict kinds

struct VerdictCase {
  std::u16string subject;
  std::int32_t sensitivity;
  bool autoMove;
  bool reportMarks;
  std::u16string folder;
  std::u16string finalSubject;
  std::string training;  // what the pipeline taught, "" for nothing
};

class VerdictTest : public NewMailProcessorTest, public testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, EachVerdictIsMarkedMovedOrLeftAsItSays) {
  const VerdictCase& c = GetParam();
  options().bSpamAutoMove = c.autoMove;
  options().bAddReportMarksToSubj = c.reportMarks;
  options().bMoveUnchangable = 1;
  options().bBayesFilter = 1;
  stages.bayes = c.subject.starts_with(u"bayes");
  const MailItemPtr mail = Deliver(c.subject, c.sensitivity);

  EXPECT_EQ(Folder(mail), c.folder);
  EXPECT_EQ(Subject(mail), c.finalSubject);
  const std::string subject(c.subject.begin(), c.subject.end());
  std::vector<std::string> expected{"extract " + subject};
  if (!c.training.empty()) expected.push_back(c.training + " " + subject);
  EXPECT_EQ(stages.calls, expected);
  // Whatever reaches the Spam folder this way has had its lesson (or must
  // have none): the watcher teaches nothing more.
  EXPECT_TRUE(scene.trainer.lessons.empty());
  EXPECT_TRUE(scene.Failures().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Verdicts, VerdictTest,
    testing::Values(
        VerdictCase{u"valid news", 0, true, true, u"Inbox", u"valid news", "LearnValid"},
        VerdictCase{u"rule pills", 0, false, true, u"Inbox", u"<*5*>[SpamBody     ]rule pills",
                    "LearnSpam"},
        VerdictCase{u"rule pills", 0, false, false, u"Inbox", u"<*5*>rule pills", "LearnSpam"},
        VerdictCase{u"rule pills", 0, true, false, u"Junk E-mail", u"_<*5*>rule pills",
                    "LearnSpam"},
        VerdictCase{u"rule pills", 0, true, true, u"Junk E-mail",
                    u"_<*5*>[SpamBody     ]rule pills", "LearnSpam"},
        VerdictCase{u"bayes offer", 0, false, true, u"Inbox", u"<*1*>[Bayes 0.970  ]bayes offer",
                    "LearnSpam"},
        VerdictCase{u"foreign text", 0, false, true, u"Inbox", u"<*5*>[SpamLangSubj ]foreign text",
                    ""},
        VerdictCase{u"plain note", 0, true, true, u"Inbox", u"plain note", "LearnValid"},
        // A private message is never retitled, spam or not.
        VerdictCase{u"plain secret", olk::kSensitivityPrivate, true, true, u"Junk E-mail",
                    u"plain secret", ""},
        VerdictCase{u"valid secret", olk::kSensitivityPrivate, true, true, u"Inbox",
                    u"valid secret", "LearnValid"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.subject, info.index);
    });

TEST_F(NewMailProcessorTest, WithoutTheBayesStageAnUndecidedMessageIsLeftAlone) {
  options().bBayesFilter = 0;
  const MailItemPtr mail = Deliver(u"plain note");
  EXPECT_EQ(Folder(mail), u"Inbox");
  EXPECT_EQ(Subject(mail), u"plain note");
  EXPECT_EQ(stages.calls, std::vector<std::string>{"extract plain note"});
}

TEST_F(NewMailProcessorTest, PrivateSpamKeepsItsSubjectWhetherMovedOrNot) {
  options().bAddReportMarksToSubj = 1;
  for (int autoMove = 0; autoMove <= 1; ++autoMove) {
    options().bSpamAutoMove = autoMove;
    const MailItemPtr mail = Deliver(u"rule secret", olk::kSensitivityPrivate);
    EXPECT_EQ(Subject(mail), u"rule secret");
    EXPECT_EQ(Folder(mail), autoMove ? u"Junk E-mail" : u"Inbox");
  }
  // Learned once by the pipeline each; never again by the watcher.
  EXPECT_TRUE(scene.trainer.lessons.empty());
}

TEST_F(NewMailProcessorTest, AnUnchangeableMessageMovedUntaughtIsStillTaughtByMark) {
  options().bMoveUnchangable = 1;
  const MailItemPtr mail = Deliver(u"plain secret", olk::kSensitivityPrivate);
  ASSERT_EQ(Folder(mail), u"Junk E-mail");
  EXPECT_TRUE(scene.trainer.lessons.empty()) << "the watcher passes it over";
  scene.store.SetSelection({mail});
  ASSERT_TRUE(scene.store.Click(u"Mark"));
  EXPECT_EQ(scene.trainer.lessons, std::vector<std::string>{"LearnSpam plain secret"});
}

// --- What does not enter, and what fails

TEST_F(NewMailProcessorTest, AMeetingRequestIsLoggedAndNeitherClassifiedNorTouched) {
  scene.store.DeliverMeetingRequest(scene.store.Inbox(), u"rule planning");
  EXPECT_TRUE(stages.calls.empty());
  EXPECT_EQ(scene.Failures(), (Failures{{203001, -1}}));
  EXPECT_EQ(scene.store.SubjectsIn(scene.store.Inbox()), Subjects{u"rule planning"});
}

TEST_F(NewMailProcessorTest, MailArrivingInASubfolderOfTheInboxIsNotProcessed) {
  const FolderPtr friends = scene.store.AddFolder(scene.store.Inbox(), u"Friends");
  scene.store.Deliver(friends, {.subject = u"rule pills"});
  EXPECT_TRUE(stages.calls.empty());
}

TEST_F(NewMailProcessorTest, AnUnchangeableMessageThatCannotBeMovedStaysUnmarked) {
  options().bMoveUnchangable = 1;
  scene.store.Faults().FailNext("MailItem.Move", hr::kFail, 1);
  const MailItemPtr mail = Deliver(u"rule secret", olk::kSensitivityPrivate);
  EXPECT_EQ(Folder(mail), u"Inbox");
  EXPECT_EQ(Subject(mail), u"rule secret");
  EXPECT_EQ(scene.Failures(), (Failures{{202402, hr::kFail}}));
}

TEST_F(NewMailProcessorTest, WithoutASpamFolderUnchangeableMessagesStayAndTheGapIsLogged) {
  SpamFolderManager lost(scene.world.env(), scene.trainer);
  NewMailProcessor orphan(scene.world.env(), classifier, lost);
  options().bMoveUnchangable = 1;
  const MailItemPtr mail = scene.store.AddMail(
      scene.store.Inbox(), {.subject = u"rule secret", .sensitivity = olk::kSensitivityPrivate});
  orphan.OnNewInboxItem(mail);
  EXPECT_EQ(Folder(mail), u"Inbox");
  EXPECT_EQ(scene.Failures(), (Failures{{202402, -1}}));
}

// --- Order

TEST_F(NewMailProcessorTest, TenArrivalsAreTreatedCompletelyOneAfterAnother) {
  options().bSpamAutoMove = 1;
  std::vector<std::string> expected;
  for (int i = 0; i < 10; ++i) {
    const std::string subject = (i % 2 ? "rule " : "valid ") + std::to_string(i);
    Deliver(std::u16string(subject.begin(), subject.end()));
    expected.push_back("extract " + subject);
    expected.push_back((i % 2 ? "LearnSpam " : "LearnValid ") + subject);
  }
  EXPECT_EQ(stages.calls, expected);
  EXPECT_EQ(scene.store.SubjectsIn(scene.Junk()),
            (Subjects{u"_<*5*>rule 1", u"_<*5*>rule 3", u"_<*5*>rule 5", u"_<*5*>rule 7",
                      u"_<*5*>rule 9"}));
}

TEST_F(NewMailProcessorTest, AMessageDraggedBackToTheInboxIsReleasedBeforeItIsClassified) {
  const MailItemPtr mail = scene.store.AddMail(scene.Junk(), {.subject = u"_<*5*>valid Hello"});
  scene.store.UserMove(mail, scene.store.Inbox());
  EXPECT_EQ(scene.trainer.lessons, Lessons{"UnlearnSpam valid Hello"});
  EXPECT_EQ(stages.calls,
            (std::vector<std::string>{"extract valid Hello", "LearnValid valid Hello"}));
  EXPECT_EQ(Subject(mail), u"valid Hello");
}

// --- The whole road with the real stages

TEST(NewMailProcessorRoad, NewSpamIsJudgedByTheRealPipelineAndMarked) {
  SpamFolderScene scene;
  scene.world.options().bAddReportMarksToSubj = 1;
  scene.Connect();
  NoHtmlAnalyzer html;
  FeatureExtractor extractor(scene.world.env(), html);
  AddressBook addressBook;
  EngineStages stages(scene.world.env(), scene.trainer.statistics, addressBook, extractor);
  MailClassifier classifier(stages, scene.world.options(), scene.world.log());
  NewMailProcessor processor(scene.world.env(), classifier, scene.manager);
  FunctionSink itemAdd(
      [&processor](const std::vector<DispatchPtr>& args) { processor.OnNewInboxItem(args[0]); });
  scene.manager.Inbox()->GetItems().value->Advise(EventInterface::ItemsEvents, &itemAdd);

  const MailItemPtr empty = scene.store.DeliverNewMail({.subject = u"Hello", .sender = u"Eve"});
  EXPECT_EQ(scene.SubjectOf(empty), u"<*3*>[Empty Body   ]Hello");
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 1);

  // To Spam moves it, and the watcher only converts its marker.
  scene.store.Click(u"To Spam");
  EXPECT_EQ(scene.SubjectOf(empty), u"_<*3*>[Empty Body   ]Hello");
  EXPECT_EQ(scene.trainer.statistics.SpamMessageCount(), 1);
  EXPECT_TRUE(scene.trainer.lessons.empty());
}

}  // namespace
}  // namespace skerrow
