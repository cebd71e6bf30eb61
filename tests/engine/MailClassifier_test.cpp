#include "engine/MailClassifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ErrorLog.h"
#include "host/MailHost.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "tests/support/CaseName.h"

namespace skerrow {
namespace {

// Stand-ins for the stages: each answers what the test sets and records the
// order of the calls.
class StubStages : public ClassifierStages {
 public:
  bool valid = false;
  SpamReason language = SpamReason::None;
  SpamReason rule = SpamReason::None;
  double probability = 0.5;
  std::vector<std::string> calls;

  void extractFeatures(MailItem&, MessageFeatures& features) override {
    calls.push_back("extract");
    features.words.insert("WORD");
  }
  bool isValidMessage(const MessageFeatures&) override {
    calls.push_back("valid");
    return valid;
  }
  SpamReason testIllegalLanguage(MailItem&) override {
    calls.push_back("language");
    return language;
  }
  SpamReason checkRules(const MessageFeatures&) override {
    calls.push_back("rules");
    return rule;
  }
  double BayesProbability(const WordSet& words, int minDecisive) override {
    calls.push_back("bayes:" + std::to_string(words.size()) + ":" + std::to_string(minDecisive));
    return probability;
  }
  void LearnValid(const MessageFeatures&) override { calls.push_back("LearnValid"); }
  void LearnSpam(const MessageFeatures&) override { calls.push_back("LearnSpam"); }
};

class StubItem : public MailItem {
 public:
  Result<std::int32_t> sensitivity = Ok<std::int32_t>(0);
  Result<std::u16string> Subject() override { return {}; }
  HResult SetSubject(const std::u16string&) override { return hr::kOk; }
  Result<std::u16string> Body() override { return {}; }
  Result<std::u16string> HTMLBody() override { return {}; }
  HResult SetHTMLBody(const std::u16string&) override { return hr::kOk; }
  Result<std::u16string> SenderName() override { return {}; }
  Result<std::u16string> To() override { return {}; }
  Result<RecipientsPtr> GetRecipients() override { return {}; }
  Result<AttachmentsPtr> GetAttachments() override { return {}; }
  Result<double> ReceivedTime() override { return {}; }
  Result<std::int32_t> Size() override { return {}; }
  Result<std::int32_t> Importance() override { return {}; }
  Result<std::int32_t> Sensitivity() override { return sensitivity; }
  HResult SetUnRead(bool) override { return hr::kOk; }
  HResult Save() override { return hr::kOk; }
  Result<DispatchPtr> Move(const FolderPtr&) override { return {}; }
  Result<std::u16string> EntryID() override { return {}; }
};

class NullFiles : public FileSystem {
 public:
  std::vector<std::string> appended;
  bool AppendText(std::string_view, std::string_view text) override {
    appended.emplace_back(text);
    return true;
  }
  std::optional<std::string> ReadAll(std::string_view) override { return std::nullopt; }
  std::unique_ptr<ReplacementFile> CreateReplacement(std::string_view) override { return nullptr; }
};

class FixedClock : public Clock {
 public:
  LocalTime Now() override { return {2026, 12, 7, 13, 50, 0, true}; }
};

class MailClassifierTest : public ::testing::Test {
 protected:
  MailClassifierTest() {
    options.LoadOptions(profile_);  // the load defaults
    options.bErrorLog = 1;
  }

  SpamVerdict Classify() { return classifier.classify(item); }

  class EmptyProfile : public Profile {
   public:
    std::int32_t ReadInt(std::string_view, std::string_view, std::int32_t d) override { return d; }
    std::string ReadString(std::string_view, std::string_view, std::string_view d,
                           std::size_t) override {
      return std::string(d);
    }
    bool WriteString(std::string_view, std::string_view, std::string_view) override { return true; }
  } profile_;
  FilterOptions options;
  NullFiles files;
  FixedClock clock;
  ErrorLog log{files, clock, options};
  StubStages stages;
  StubItem item;
  MailClassifier classifier{stages, options, log};
};

using Calls = std::vector<std::string>;

TEST_F(MailClassifierTest, AValidMessageIsLearnedAsValidBeforeAnyRuleRuns) {
  stages.valid = true;
  stages.rule = SpamReason::DangerAttachment;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, VerdictKind::Valid);
  EXPECT_EQ(stages.calls, (Calls{"extract", "valid", "LearnValid"}));
}

TEST_F(MailClassifierTest, IllegalLanguageIsSpamWithoutTraining) {
  stages.language = SpamReason::LangBody;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, VerdictKind::Spam);
  EXPECT_EQ(verdict.reason, SpamReason::LangBody);
  EXPECT_EQ(verdict.score, 0.0);
  EXPECT_EQ(stages.calls, (Calls{"extract", "valid", "language"}));
}

TEST_F(MailClassifierTest, TheLanguageTestIsSkippedWhenSwitchedOff) {
  options.bTestIllegalLang = 0;
  stages.language = SpamReason::LangSubject;
  stages.rule = SpamReason::SpamSubject;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.reason, SpamReason::SpamSubject);
  EXPECT_EQ(stages.calls, (Calls{"extract", "valid", "rules", "LearnSpam"}));
}

TEST_F(MailClassifierTest, APrivateItemIsUnchangeableBeforeTheRules) {
  options.bMoveUnchangable = 1;
  item.sensitivity = Ok<std::int32_t>(olk::kSensitivityPrivate);
  stages.rule = SpamReason::EmptyBody;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, VerdictKind::Unchangeable);
  EXPECT_EQ(verdict.reason, SpamReason::None);
  EXPECT_EQ(stages.calls, (Calls{"extract", "valid", "language"}));
}

TEST_F(MailClassifierTest, AFailedSensitivityReadIsLoggedAndTheItemIsNotUnchangeable) {
  options.bMoveUnchangable = 1;
  item.sensitivity = Fail<std::int32_t>(hr::kFail);
  const SpamVerdict verdict = Classify();
  EXPECT_NE(verdict.kind, VerdictKind::Unchangeable);
  ASSERT_EQ(files.appended.size(), 1u);
  EXPECT_NE(files.appended[0].find("\tPlace:202401\t"), std::string::npos);
}

TEST_F(MailClassifierTest, AFiringRuleIsLearnedAsSpamWithScoreZero) {
  stages.rule = SpamReason::SpamLink;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, VerdictKind::Spam);
  EXPECT_EQ(verdict.reason, SpamReason::SpamLink);
  EXPECT_EQ(verdict.score, 0.0);
  EXPECT_EQ(stages.calls.back(), "LearnSpam");
}

struct BayesCase {
  double probability;
  VerdictKind kind;
  const char* training;
};

class BayesBoundaryTest : public MailClassifierTest,
                          public ::testing::WithParamInterface<BayesCase> {};

TEST_P(BayesBoundaryTest, OnlyAProbabilityAboveOneHalfIsSpam) {
  stages.probability = GetParam().probability;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, GetParam().kind);
  EXPECT_EQ(stages.calls,
            (Calls{"extract", "valid", "language", "rules", "bayes:1:3", GetParam().training}));
  if (verdict.kind == VerdictKind::Spam) {
    EXPECT_EQ(verdict.reason, SpamReason::Bayes);
    EXPECT_EQ(verdict.score, GetParam().probability);
  }
}

INSTANTIATE_TEST_SUITE_P(Boundary, BayesBoundaryTest,
                         ::testing::Values(BayesCase{0.5, VerdictKind::Valid, "LearnValid"},
                                           BayesCase{0.5000001, VerdictKind::Spam, "LearnSpam"},
                                           BayesCase{0.1, VerdictKind::Valid, "LearnValid"},
                                           BayesCase{1.0, VerdictKind::Spam, "LearnSpam"}),
                         [](const auto& info) {
                           const auto& p = info.param;
                           return CaseName(std::to_string(p.probability), info.index);
                         });

TEST_F(MailClassifierTest, WithBayesOffAndNoRuleTheMessageIsUndecidedAndNotLearned) {
  options.bBayesFilter = 0;
  const SpamVerdict verdict = Classify();
  EXPECT_EQ(verdict.kind, VerdictKind::Undecided);
  EXPECT_EQ(stages.calls, (Calls{"extract", "valid", "language", "rules"}));
}

}  // namespace
}  // namespace skerrow
