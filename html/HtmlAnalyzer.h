// The seam through which feature extraction runs the HTML analysis of an HTML
// body: the document analysis (walk, measures, optional cleaning) and the raw
// scan of the text.
#pragma once

#include <string>
#include <string_view>

#include "engine/MessageFeatures.h"

namespace skerrow {

struct HtmlDocumentResult {
  bool parsed = false;          // false: the document could not be created or parsed
  std::u16string renderedText;  // the body's rendered text
  std::u16string cleanedHtml;   // the body's outer HTML, only when a cleaning option is on
  bool cut = false;             // the document holds a leading part of the HTML only
};

class HtmlAnalyzer {
 public:
  virtual ~HtmlAnalyzer() = default;
  // Parses and walks the document; writes unknownTagShare, smallFont, the
  // colour words, the URL samples and htmlChanged into the features.
  virtual HtmlDocumentResult AnalyzeDocument(const std::u16string& html,
                                             MessageFeatures& features) = 0;
  // Reads the narrow HTML text itself; writes textBeforeEndShare.
  virtual void RawScan(std::string_view html, MessageFeatures& features) = 0;
};

}  // namespace skerrow
