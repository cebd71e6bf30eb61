// The operations through which the pipeline reaches each stage, with their
// arguments and results. The real stages (EngineStages) are built over the
// word statistics and the address book; tests substitute stand-ins.
#pragma once

#include "engine/MessageFeatures.h"
#include "engine/SpamVerdict.h"

namespace skerrow {

class MailItem;

class ClassifierStages {
 public:
  virtual ~ClassifierStages() = default;
  virtual void extractFeatures(MailItem& item, MessageFeatures& features) = 0;
  virtual bool isValidMessage(const MessageFeatures& features) = 0;
  // 0, LangSubject or LangBody; reads the item itself.
  virtual SpamReason testIllegalLanguage(MailItem& item) = 0;
  // 0 or 3 to 14, in the fixed rule order.
  virtual SpamReason checkRules(const MessageFeatures& features) = 0;
  virtual double BayesProbability(const WordSet& words, int minDecisiveWords) = 0;
  virtual void LearnValid(const MessageFeatures& features) = 0;
  virtual void LearnSpam(const MessageFeatures& features) = 0;
};

}  // namespace skerrow
