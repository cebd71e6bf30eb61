// The SpamTrainer of a running add-in: features from the feature extractor,
// lessons applied to the one word statistics of the connection.
#pragma once

#include "spamfolder/SpamTrainer.h"

namespace skerrow {

class FeatureExtractor;
class WordStatistics;

class StatisticsTrainer : public SpamTrainer {
 public:
  // Both are borrowed and must outlive the trainer.
  StatisticsTrainer(FeatureExtractor& extractor, WordStatistics& statistics)
      : extractor_(extractor), statistics_(statistics) {}

  void extractFeatures(MailItem& item, MessageFeatures& features) override;
  void LearnSpam(const MessageFeatures& features) override;
  void UnlearnSpam(const MessageFeatures& features) override;
  void RelearnSpam(const MessageFeatures& features) override;

 private:
  FeatureExtractor& extractor_;
  WordStatistics& statistics_;
};

}  // namespace skerrow
