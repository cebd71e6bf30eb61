#include "engine/NoHtmlAnalyzer.h"

namespace skerrow {

HtmlDocumentResult NoHtmlAnalyzer::AnalyzeDocument(const std::u16string&, MessageFeatures&) {
  return HtmlDocumentResult{};
}

void NoHtmlAnalyzer::RawScan(std::string_view, MessageFeatures&) {}

}  // namespace skerrow
