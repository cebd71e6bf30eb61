// An HTML analyzer for a home without an HTML document engine: every document
// analysis answers as one that could not parse the HTML (no rendered text, no
// measures), so HTML mail is judged by its raw scan and its other features.
#pragma once

#include "html/HtmlAnalyzer.h"

namespace skerrow {

class NoHtmlAnalyzer : public HtmlAnalyzer {
 public:
  HtmlDocumentResult AnalyzeDocument(const std::u16string& html,
                                     MessageFeatures& features) override;
  // Measures nothing: textBeforeEndShare keeps its unmeasured value.
  void RawScan(std::string_view html, MessageFeatures& features) override;
};

}  // namespace skerrow
