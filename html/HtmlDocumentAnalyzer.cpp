#include "html/HtmlDocumentAnalyzer.h"

#include "base/ErrorLog.h"
#include "html/HtmlDocumentWalk.h"
#include "html/TextBeforeEndScan.h"
#include "options/FilterOptions.h"
#include "platform/HtmlEngine.h"
#include "platform/Platform.h"

namespace skerrow {

HtmlDocumentAnalyzer::HtmlDocumentAnalyzer(Env env) : env_(env), engine_(env.platform.html) {}

HtmlDocumentAnalyzer::HtmlDocumentAnalyzer(Env env, HtmlEngine& engine)
    : env_(env), engine_(engine) {}

bool HtmlDocumentAnalyzer::Check(std::int32_t status, std::int32_t place) const {
  if (hr::Succeeded(status)) return true;
  env_.log.LogFailure(status, place);
  return false;
}

HtmlDocumentResult HtmlDocumentAnalyzer::AnalyzeDocument(const std::u16string& html,
                                                         MessageFeatures& features) {
  HtmlDocumentResult result;
  Result<std::unique_ptr<HtmlDocument>> created = engine_.CreateDocument();
  if (!Check(created.status, 100201) || created.value == nullptr) return result;
  HtmlDocument& document = *created.value;
  // A failed parse has no place of its own: the analysis just stops.
  const HResult parsed = document.Parse(html);
  if (hr::Failed(parsed)) return result;
  const bool partial = parsed == hr::kFalse;
  result.parsed = true;
  result.cut = partial;

  HtmlDocumentWalk(env_).Run(document, features);

  Result<HtmlElement*> body = document.Body();
  if (!Check(body.status, 100209) || body.value == nullptr) return result;
  Result<std::u16string> text = body.value->InnerText();
  if (Check(text.status, 100210)) result.renderedText = std::move(text.value);
  if (env_.options.bRemoveScripts || env_.options.bRemoveImages) {
    if (partial) {
      env_.log.LogFailure(hr::kMissing, 100211);
    } else {
      Result<std::u16string> outer = body.value->OuterHtml();
      if (Check(outer.status, 100211)) result.cleanedHtml = std::move(outer.value);
    }
  }
  return result;
}

void HtmlDocumentAnalyzer::RawScan(std::string_view html, MessageFeatures& features) {
  if (std::optional<double> share = MeasureTextBeforeEnd(html)) {
    features.textBeforeEndShare = *share;
  }
}

}  // namespace skerrow
