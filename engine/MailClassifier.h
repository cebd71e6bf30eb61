// The classification pipeline: features, then the stages in their fixed order
// (valid lists, illegal language, unchangeable items, rules, Bayes), training
// the statistics with its own decision. Reads the options at every call.
#pragma once

#include <functional>

#include "engine/ClassifierStages.h"
#include "engine/SpamVerdict.h"

namespace skerrow {

struct FilterOptions;
class ErrorLog;
class MailItem;

class MailClassifier {
 public:
  // The Bayes stage's minimum number of decisive words for new mail.
  static constexpr int kMinDecisiveWords = 3;

  MailClassifier(ClassifierStages& stages, const FilterOptions& options, const ErrorLog& log)
      : stages_(stages), options_(options), log_(log) {}

  SpamVerdict classify(MailItem& item);

  // Told of every verdict classify returns (the command line reports them).
  using VerdictObserver = std::function<void(MailItem& item, const SpamVerdict& verdict)>;
  void SetVerdictObserver(VerdictObserver observer) { observer_ = std::move(observer); }

 private:
  SpamVerdict Decide(MailItem& item);

  ClassifierStages& stages_;
  const FilterOptions& options_;
  const ErrorLog& log_;
  VerdictObserver observer_;
};

}  // namespace skerrow
