// extractFeatures: fills a MessageFeatures record from a mail item. Used by the
// pipeline for new mail and by the user commands and the Spam folder watcher
// to build the record they train with.
#pragma once

#include "base/Env.h"
#include "engine/MessageFeatures.h"

namespace skerrow {

class MailItem;
class HtmlAnalyzer;

class FeatureExtractor {
 public:
  FeatureExtractor(Env env, HtmlAnalyzer& html) : env_(env), html_(html) {}

  // Failures are logged with their place codes and leave fields empty.
  void extractFeatures(MailItem& item, MessageFeatures& features);

 private:
  Env env_;
  HtmlAnalyzer& html_;
};

}  // namespace skerrow
