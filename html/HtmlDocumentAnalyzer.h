// The HTML analysis that feature extraction runs on every HTML body: the
// document analysis (parse, walk, rendered text, cleaned HTML) over the
// platform's HTML engine, and the raw scan of the text.
#pragma once

#include "base/Env.h"
#include "html/HtmlAnalyzer.h"

namespace skerrow {

class HtmlEngine;

class HtmlDocumentAnalyzer : public HtmlAnalyzer {
 public:
  // Uses the platform's HTML engine, or the one given (tests wrap it).
  explicit HtmlDocumentAnalyzer(Env env);
  HtmlDocumentAnalyzer(Env env, HtmlEngine& engine);

  // Without a document or a parse the result is empty and the features keep
  // their initial measures. When the engine parsed only a leading part of a
  // hostile text, the measures are of that part and no cleaned HTML is
  // given, so that the message is never replaced by a part of itself.
  HtmlDocumentResult AnalyzeDocument(const std::u16string& html,
                                     MessageFeatures& features) override;
  void RawScan(std::string_view html, MessageFeatures& features) override;

 private:
  bool Check(std::int32_t status, std::int32_t place) const;

  Env env_;
  HtmlEngine& engine_;
};

}  // namespace skerrow
