#include "spamfolder/ReportMarks.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/spamfolder/SpamFolderScene.h"
#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

struct MarkCase {
  SpamReason reason;
  double score;
  std::string mark;
  char digit;
};

class ReportMarkTextTest : public testing::TestWithParam<MarkCase> {};

TEST_P(ReportMarkTextTest, EveryReasonHasItsFifteenCharacterMarkAndDigit) {
  const MarkCase& c = GetParam();
  EXPECT_EQ(ReportMarkText(c.reason, c.score), c.mark);
  EXPECT_EQ(ReportMarkText(c.reason, c.score).size(), kReportMarkLength);
  EXPECT_EQ(CategoryDigit(c.reason), c.digit);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ReportMarkTextTest,
    testing::Values(MarkCase{SpamReason::LangSubject, 0, "[SpamLangSubj ]", '5'},
                    MarkCase{SpamReason::LangBody, 0, "[SpamLangBody ]", '5'},
                    MarkCase{SpamReason::SpamSender, 0, "[SpamSender   ]", '2'},
                    MarkCase{SpamReason::SpamSubject, 0, "[SpamSubject  ]", '4'},
                    MarkCase{SpamReason::SpamBody, 0, "[SpamBody     ]", '5'},
                    MarkCase{SpamReason::SpamLink, 0, "[SpamLink     ]", '5'},
                    MarkCase{SpamReason::EmptyBody, 0, "[Empty Body   ]", '3'},
                    MarkCase{SpamReason::EmptySender, 0, "[EmptySender  ]", '4'},
                    MarkCase{SpamReason::BadHtmlTags, 0, "[SSF 1        ]", '5'},
                    MarkCase{SpamReason::TextAfterHtmlEnd, 0, "[SSF 2        ]", '5'},
                    MarkCase{SpamReason::ExtraSmallFont, 0, "[SSF 4        ]", '5'},
                    MarkCase{SpamReason::ChineseSymbols, 0, "[SSF 3        ]", '5'},
                    MarkCase{SpamReason::DangerAttachment, 0, "[DangerAttch  ]", '3'},
                    MarkCase{SpamReason::AnyAttachment, 0, "[DisableAttch ]", '3'},
                    MarkCase{SpamReason::Bayes, 0.97341, "[Bayes 0.973  ]", '1'},
                    MarkCase{SpamReason::Bayes, 1.0, "[Bayes 1.000  ]", '1'},
                    MarkCase{SpamReason::Bayes, 0.5004, "[Bayes 0.500  ]", '1'},
                    MarkCase{SpamReason::Bayes, 0.9996, "[Bayes 1.000  ]", '1'},
                    // Out of range probabilities keep the mark's length.
                    MarkCase{SpamReason::Bayes, 7.5, "[Bayes 1.000  ]", '1'},
                    MarkCase{SpamReason::Bayes, -0.25, "[Bayes 0.000  ]", '1'},
                    MarkCase{SpamReason::MarkByUser, -1.0, "[MarkByUser   ]", '5'}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.mark, info.index);
    });

TEST(ReportMarkText, ACodeOutsideTheTableHasNoMarkAndNoDigit) {
  EXPECT_EQ(ReportMarkText(SpamReason::None, 0.0), "");
  EXPECT_EQ(ReportMarkText(static_cast<SpamReason>(17), 0.0), "");
  EXPECT_EQ(CategoryDigit(static_cast<SpamReason>(17)), '\0');
}

struct SubjectCase {
  std::u16string subject;
  bool inboxMarker;
  bool spamFolderMarker;
  bool reportMark;
};

class MarkerTestsTest : public testing::TestWithParam<SubjectCase> {};

TEST_P(MarkerTestsTest, SubjectsAreRecognisedByTheirFront) {
  const SubjectCase& c = GetParam();
  EXPECT_EQ(HasInboxMarker(c.subject), c.inboxMarker);
  EXPECT_EQ(HasSpamFolderMarker(c.subject), c.spamFolderMarker);
  EXPECT_EQ(StartsWithReportMark(c.subject), c.reportMark);
}

INSTANTIATE_TEST_SUITE_P(Subjects, MarkerTestsTest,
                         testing::Values(SubjectCase{u"<*5*>Hello", true, false, false},
                                         SubjectCase{u"<*5*>", true, false, false},
                                         // Any character stands between the stars.
                                         SubjectCase{u"<*x*>Hello", true, false, false},
                                         SubjectCase{u"<*5*", false, false, false},
                                         SubjectCase{u"", false, false, false},
                                         SubjectCase{u"_<*5*>Hello", false, true, false},
                                         SubjectCase{u"_<*5*", false, false, false},
                                         SubjectCase{u"_<*1*>[Bayes 0.973  ]Hi", false, true,
                                                     false},
                                         SubjectCase{u"[SpamBody     ]Hello", false, false, true},
                                         SubjectCase{u"[Bayes 0.973  ]Hello", false, false, true},
                                         SubjectCase{u"[MarkByUser   ]", false, false, true},
                                         // Bracketed texts of the user's own are not report marks.
                                         SubjectCase{u"[Announcement ]Hello", false, false, false},
                                         SubjectCase{u"[Bayes 0.9x3  ]Hello", false, false, false},
                                         SubjectCase{u"[SpamBody     ", false, false, false}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(p.subject, info.index);
                         });

// Item operations, on messages of the in-memory store. Nothing watches the
// folders here: called outside any handler, a move's events would reach a
// watcher before the marking that follows the move.
class ReportMarksOnItems : public testing::Test {
 protected:
  ReportMarksOnItems() { scene.manager.LocateSpamFolder(*scene.application, nullptr); }

  MailItemPtr Mail(std::u16string subject, std::int32_t sensitivity = olk::kSensitivityNormal) {
    return scene.store.AddMail(scene.store.Inbox(),
                               {.subject = std::move(subject), .sensitivity = sensitivity});
  }
  std::u16string Subject(const MailItemPtr& item) { return scene.SubjectOf(item); }
  int Saves(const MailItemPtr& item) { return MemoryStore::Inspect(item)->saves; }
  Env env() { return scene.world.env(); }

  SpamFolderScene scene;
};

struct AddMarkCase {
  std::u16string subject;
  bool inSpamFolder;
  SpamReason reason;
  double score;
  bool reportMarks;
  std::u16string expected;
};

class AddReportMarkTest : public ReportMarksOnItems,
                          public testing::WithParamInterface<AddMarkCase> {};

TEST_P(AddReportMarkTest, WritesMarkerAndMarkInFrontOfTheSubjectAndSaves) {
  const AddMarkCase& c = GetParam();
  scene.world.options().bAddReportMarksToSubj = c.reportMarks;
  const MailItemPtr item = Mail(c.subject);
  EXPECT_TRUE(AddReportMark(env(), *item, c.inSpamFolder, c.reason, c.score));
  EXPECT_EQ(Subject(item), c.expected);
  EXPECT_EQ(Saves(item), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AddReportMarkTest,
    testing::Values(
        AddMarkCase{u"Hello", false, SpamReason::SpamBody, 0, true, u"<*5*>[SpamBody     ]Hello"},
        AddMarkCase{u"Hello", false, SpamReason::SpamBody, 0, false, u"<*5*>Hello"},
        AddMarkCase{u"Hello", true, SpamReason::Bayes, 0.97341, true,
                    u"_<*1*>[Bayes 0.973  ]Hello"},
        AddMarkCase{u"Hello", true, SpamReason::MarkByUser, -1, false, u"_<*5*>Hello"},
        AddMarkCase{u"", false, SpamReason::SpamSender, 0, true, u"<*2*>[SpamSender   ]"},
        // No test for an existing marker: a second one goes in front.
        AddMarkCase{u"<*5*>Hello", false, SpamReason::EmptyBody, 0, false, u"<*3*><*5*>Hello"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.expected, info.index);
    });

TEST_F(ReportMarksOnItems, AnUnknownReasonIsLoggedAndLeavesTheSubjectAlone) {
  const MailItemPtr item = Mail(u"Hello");
  EXPECT_FALSE(AddReportMark(env(), *item, false, static_cast<SpamReason>(40), 0));
  EXPECT_EQ(Subject(item), u"Hello");
  EXPECT_EQ(Saves(item), 0);
  EXPECT_EQ(scene.Failures(), (std::vector<LoggedFailure>{{200901, -1}}));
}

TEST_F(ReportMarksOnItems, ASubjectThatCannotBeReadIsNotOverwrittenWithTheMarkerAlone) {
  const MailItemPtr item = Mail(u"Invoice 2291");
  scene.store.Faults().FailNext("MailItem.Subject", hr::kFail, 1);
  EXPECT_FALSE(AddReportMark(env(), *item, false, SpamReason::SpamBody, 0));
  EXPECT_EQ(Subject(item), u"Invoice 2291");
  EXPECT_EQ(scene.Failures(), (std::vector<LoggedFailure>{{200902, hr::kFail}}));
}

TEST_F(ReportMarksOnItems, FailedWritesAndSavesAreLoggedWithTheirPlaces) {
  const MailItemPtr item = Mail(u"Hello");
  scene.store.Faults().FailNext("MailItem.SetSubject", hr::kAccessDenied, 1);
  EXPECT_FALSE(AddReportMark(env(), *item, false, SpamReason::SpamBody, 0));
  scene.store.Faults().FailNext("MailItem.Save", hr::kFail, 1);
  EXPECT_FALSE(AddReportMark(env(), *item, false, SpamReason::SpamBody, 0));
  EXPECT_EQ(scene.Failures(),
            (std::vector<LoggedFailure>{{200903, hr::kAccessDenied}, {200904, hr::kFail}}));
}

struct RemoveCase {
  std::u16string subject;
  std::u16string expected;
  int saves;
};

class RemoveMarksTest : public ReportMarksOnItems,
                        public testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveMarksTest, GivesBackTheSubjectWithoutTheSystemsTags) {
  const RemoveCase& c = GetParam();
  const MailItemPtr item = Mail(c.subject);
  RemoveMarks(env(), *item);
  EXPECT_EQ(Subject(item), c.expected);
  EXPECT_EQ(Saves(item), c.saves);
}

INSTANTIATE_TEST_SUITE_P(
    Subjects, RemoveMarksTest,
    testing::Values(RemoveCase{u"_<*5*>[SpamBody     ]Hello", u"Hello", 2},
                    RemoveCase{u"<*5*>[SpamBody     ]Hello", u"Hello", 2},
                    RemoveCase{u"<*1*>[Bayes 0.612  ]Hello", u"Hello", 2},
                    RemoveCase{u"<*5*>Hello", u"Hello", 1}, RemoveCase{u"_<*5*>", u"", 1},
                    // The user's own bracketed text is not a report mark.
                    RemoveCase{u"<*5*>[Announcement ]Hello", u"[Announcement ]Hello", 1},
                    RemoveCase{u"[Announcement ]Party", u"[Announcement ]Party", 0},
                    RemoveCase{u"Hello", u"Hello", 0}, RemoveCase{u"", u"", 0}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.subject, info.index);
    });

TEST_F(ReportMarksOnItems, MarkingThenRemovingGivesBackTheOriginalSubjectForEveryReason) {
  for (int reportMarks = 0; reportMarks <= 1; ++reportMarks) {
    scene.world.options().bAddReportMarksToSubj = reportMarks;
    for (int code = static_cast<int>(SpamReason::LangSubject);
         code <= static_cast<int>(SpamReason::MarkByUser); ++code) {
      for (bool inSpamFolder : {false, true}) {
        const MailItemPtr item = Mail(u"[Re] Lunch on Friday?");
        AddReportMark(env(), *item, inSpamFolder, static_cast<SpamReason>(code), 0.81);
        RemoveMarks(env(), *item);
        EXPECT_EQ(Subject(item), u"[Re] Lunch on Friday?")
            << "reason " << code << " marks " << reportMarks << " spam folder " << inSpamFolder;
      }
    }
  }
}

TEST_F(ReportMarksOnItems, RemovingMarksGoesOnAfterAFailedStep) {
  const MailItemPtr item = Mail(u"<*5*>[SpamBody     ]Hello");
  scene.store.Faults().FailNext("MailItem.SetSubject", hr::kAccessDenied, 1);
  RemoveMarks(env(), *item);
  // The marker stays, so the report mark behind it is not at the front.
  EXPECT_EQ(Subject(item), u"<*5*>[SpamBody     ]Hello");
  EXPECT_EQ(scene.Failures(), (std::vector<LoggedFailure>{{202702, hr::kAccessDenied}}));
}

TEST_F(ReportMarksOnItems, ConvertingPutsAnUnderscoreInFrontOfAnInboxMarker) {
  const MailItemPtr marked = Mail(u"<*4*>[SpamSubject  ]Win");
  ConvertToSpamFolderMarker(env(), *marked);
  EXPECT_EQ(Subject(marked), u"_<*4*>[SpamSubject  ]Win");

  const MailItemPtr plain = Mail(u"Win");
  ConvertToSpamFolderMarker(env(), *plain);
  EXPECT_EQ(Subject(plain), u"Win");
  EXPECT_EQ(Saves(plain), 0);
  EXPECT_EQ(scene.Failures(), (std::vector<LoggedFailure>{{200804, -1}}));
}

struct ClassifiedCase {
  bool autoMove;
  std::int32_t sensitivity;
  std::u16string folder;
  std::u16string subject;
};

class MarkClassifiedMessageTest : public ReportMarksOnItems,
                                  public testing::WithParamInterface<ClassifiedCase> {};

TEST_P(MarkClassifiedMessageTest, MovesWhenAskedAndNeverRetitlesPrivateMessages) {
  const ClassifiedCase& c = GetParam();
  scene.world.options().bSpamAutoMove = c.autoMove;
  scene.world.options().bAddReportMarksToSubj = 1;
  const MailItemPtr item = Mail(u"Cheap pills", c.sensitivity);
  const MarkedMessage outcome =
      MarkClassifiedMessage(env(), *item, scene.Junk(), SpamReason::SpamSubject, 0.0);
  EXPECT_EQ(scene.store.FolderNameOf(item), c.folder);
  EXPECT_EQ(Subject(item), c.subject);
  EXPECT_EQ(outcome.isPrivate, c.sensitivity == olk::kSensitivityPrivate);
  EXPECT_EQ(outcome.movedItem != nullptr, c.autoMove);
  EXPECT_EQ(outcome.marked, c.sensitivity != olk::kSensitivityPrivate);
}

INSTANTIATE_TEST_SUITE_P(
    Options, MarkClassifiedMessageTest,
    testing::Values(ClassifiedCase{false, olk::kSensitivityNormal, u"Inbox",
                                   u"<*4*>[SpamSubject  ]Cheap pills"},
                    ClassifiedCase{true, olk::kSensitivityNormal, u"Junk E-mail",
                                   u"_<*4*>[SpamSubject  ]Cheap pills"},
                    ClassifiedCase{false, olk::kSensitivityPrivate, u"Inbox", u"Cheap pills"},
                    ClassifiedCase{true, olk::kSensitivityPrivate, u"Junk E-mail", u"Cheap pills"},
                    ClassifiedCase{true, olk::kSensitivityConfidential, u"Junk E-mail",
                                   u"_<*4*>[SpamSubject  ]Cheap pills"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::string(p.autoMove ? "moved " : "left ") +
                          (p.sensitivity == olk::kSensitivityPrivate ? "private" : "normal"),
                      info.index);
    });

TEST_F(ReportMarksOnItems, AMessageThatCannotBeMovedIsMarkedWhereItIs) {
  scene.world.options().bSpamAutoMove = 1;
  const MailItemPtr item = Mail(u"Cheap pills");
  scene.store.Faults().FailNext("MailItem.Move", hr::kFail, 1);
  MarkClassifiedMessage(env(), *item, scene.Junk(), SpamReason::SpamBody, 0.0);
  EXPECT_EQ(scene.store.FolderNameOf(item), u"Inbox");
  EXPECT_EQ(Subject(item), u"<*5*>Cheap pills");

  const MailItemPtr other = Mail(u"More pills");
  MarkClassifiedMessage(env(), *other, nullptr, SpamReason::SpamBody, 0.0);
  EXPECT_EQ(Subject(other), u"<*5*>More pills");
  EXPECT_EQ(scene.Failures(), (std::vector<LoggedFailure>{{202302, hr::kFail}, {202302, -1}}));
}

}  // namespace
}  // namespace skerrow
