// The real stages of the classification pipeline: feature extraction, the
// valid check, the content rules, the Bayes probability and the training,
// over the add-in's word statistics and address book.
#pragma once

#include "base/Env.h"
#include "engine/ClassifierStages.h"
#include "engine/ContentRules.h"
#include "engine/ValidMessageCheck.h"

namespace skerrow {

class AddressBook;
class FeatureExtractor;
class WordStatistics;

class EngineStages : public ClassifierStages {
 public:
  // All must outlive the stages.
  EngineStages(Env env, WordStatistics& statistics, const AddressBook& addressBook,
               FeatureExtractor& extractor);

  void extractFeatures(MailItem& item, MessageFeatures& features) override;
  bool isValidMessage(const MessageFeatures& features) override;
  SpamReason testIllegalLanguage(MailItem& item) override;
  SpamReason checkRules(const MessageFeatures& features) override;
  double BayesProbability(const WordSet& words, int minDecisiveWords) override;
  void LearnValid(const MessageFeatures& features) override;
  void LearnSpam(const MessageFeatures& features) override;

 private:
  const FilterOptions& options_;
  WordStatistics& statistics_;
  FeatureExtractor& extractor_;
  ValidMessageCheck validCheck_;
  ContentRules rules_;
};

}  // namespace skerrow
