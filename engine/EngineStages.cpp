#include "engine/EngineStages.h"

#include "engine/FeatureExtractor.h"
#include "options/FilterOptions.h"
#include "stats/BayesProbability.h"
#include "stats/Training.h"
#include "stats/WordStatistics.h"

namespace skerrow {

EngineStages::EngineStages(Env env, WordStatistics& statistics, const AddressBook& addressBook,
                           FeatureExtractor& extractor)
    : options_(env.options),
      statistics_(statistics),
      extractor_(extractor),
      validCheck_(env, statistics, addressBook),
      rules_(env, statistics) {}

void EngineStages::extractFeatures(MailItem& item, MessageFeatures& features) {
  extractor_.extractFeatures(item, features);
}

bool EngineStages::isValidMessage(const MessageFeatures& features) {
  return validCheck_.isValidMessage(features);
}

SpamReason EngineStages::testIllegalLanguage(MailItem& item) {
  return rules_.testIllegalLanguage(item);
}

SpamReason EngineStages::checkRules(const MessageFeatures& features) {
  return rules_.checkRules(features);
}

double EngineStages::BayesProbability(const WordSet& words, int minDecisiveWords) {
  return skerrow::BayesProbability(
      statistics_, words, minDecisiveWords,
      options_.bBayesUseValidWords ? BayesWords::SeenInSpamOrValid : BayesWords::SeenInSpam);
}

void EngineStages::LearnValid(const MessageFeatures& features) {
  skerrow::LearnValid(statistics_, features);
}

void EngineStages::LearnSpam(const MessageFeatures& features) {
  skerrow::LearnSpam(statistics_, features);
}

}  // namespace skerrow
