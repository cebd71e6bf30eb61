#include "engine/MailClassifier.h"

#include "base/ErrorLog.h"
#include "host/MailHost.h"
#include "options/FilterOptions.h"

namespace skerrow {

namespace {
constexpr int kPlaceSensitivity = 202401;
}

const char* VerdictKindName(VerdictKind kind) {
  switch (kind) {
    case VerdictKind::Valid:
      return "Valid";
    case VerdictKind::Spam:
      return "Spam";
    case VerdictKind::Unchangeable:
      return "Unchangeable";
    case VerdictKind::Undecided:
      break;
  }
  return "Undecided";
}

SpamVerdict MailClassifier::classify(MailItem& item) {
  const SpamVerdict verdict = Decide(item);
  if (observer_) observer_(item, verdict);
  return verdict;
}

SpamVerdict MailClassifier::Decide(MailItem& item) {
  MessageFeatures features;
  stages_.extractFeatures(item, features);

  if (stages_.isValidMessage(features)) {
    stages_.LearnValid(features);
    return {VerdictKind::Valid, SpamReason::None, 0.0};
  }

  // Illegal language is spam without training: the words of a foreign script
  // would teach the statistics nothing about the user's own mail.
  if (options_.bTestIllegalLang) {
    const SpamReason language = stages_.testIllegalLanguage(item);
    if (language == SpamReason::LangSubject || language == SpamReason::LangBody) {
      return {VerdictKind::Spam, language, 0.0};
    }
  }

  if (options_.bMoveUnchangable) {
    const Result<std::int32_t> sensitivity = item.Sensitivity();
    log_.LogFailure(sensitivity.status, kPlaceSensitivity);
    if (sensitivity.ok() && sensitivity.value == olk::kSensitivityPrivate) {
      return {VerdictKind::Unchangeable, SpamReason::None, 0.0};
    }
  }

  const SpamReason rule = stages_.checkRules(features);
  if (rule != SpamReason::None) {
    stages_.LearnSpam(features);
    return {VerdictKind::Spam, rule, 0.0};
  }

  if (options_.bBayesFilter) {
    const double probability = stages_.BayesProbability(features.words, kMinDecisiveWords);
    if (probability > 0.5) {
      stages_.LearnSpam(features);
      return {VerdictKind::Spam, SpamReason::Bayes, probability};
    }
    stages_.LearnValid(features);
    return {VerdictKind::Valid, SpamReason::None, 0.0};
  }

  return {VerdictKind::Undecided, SpamReason::None, 0.0};
}

}  // namespace skerrow
