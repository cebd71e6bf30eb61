// What the Spam folder side needs of the learning core: the features of a
// message and the three lessons its commands and its watcher give. The add-in
// builds a StatisticsTrainer over its word statistics; tests substitute
// recorders.
#pragma once

#include "engine/MessageFeatures.h"

namespace skerrow {

class MailItem;

class SpamTrainer {
 public:
  virtual ~SpamTrainer() = default;
  // Failures are logged by the extraction and leave fields empty.
  virtual void extractFeatures(MailItem& item, MessageFeatures& features) = 0;
  virtual void LearnSpam(const MessageFeatures& features) = 0;
  virtual void UnlearnSpam(const MessageFeatures& features) = 0;
  virtual void RelearnSpam(const MessageFeatures& features) = 0;
};

}  // namespace skerrow
