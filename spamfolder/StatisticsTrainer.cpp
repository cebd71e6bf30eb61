#include "spamfolder/StatisticsTrainer.h"

#include "engine/FeatureExtractor.h"
#include "stats/Training.h"

namespace skerrow {

void StatisticsTrainer::extractFeatures(MailItem& item, MessageFeatures& features) {
  extractor_.extractFeatures(item, features);
}

void StatisticsTrainer::LearnSpam(const MessageFeatures& features) {
  skerrow::LearnSpam(statistics_, features);
}

void StatisticsTrainer::UnlearnSpam(const MessageFeatures& features) {
  skerrow::UnlearnSpam(statistics_, features);
}

void StatisticsTrainer::RelearnSpam(const MessageFeatures& features) {
  skerrow::RelearnSpam(statistics_, features);
}

}  // namespace skerrow
