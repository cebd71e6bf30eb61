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
  // Upper-cased file names of the attachments that have one.
  void ReadAttachments(MailItem& item, MessageFeatures& features);
  // The plain body, or the HTML body with its analysis and write-back.
  void ReadBody(MailItem& item, MessageFeatures& features);
  // Recipients, their count, the To line, the hour, size and importance.
  void AddPseudoWords(MailItem& item, MessageFeatures& features);

  Env env_;
  HtmlAnalyzer& html_;
};

}  // namespace skerrow
