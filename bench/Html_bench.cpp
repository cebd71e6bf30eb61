// The HTML analysis of one message body (parse, walk, rendered text, and the
// raw scan) on mail-like HTML of 5 KB, 50 KB and 500 KB. Target: 20 MB/s or
// more. A body far beyond what mail carries (1 MB of nested elements) shows
// the work budget holding.
#include <benchmark/benchmark.h>

#include <string>

#include "html/HtmlDocumentAnalyzer.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// A newsletter-like body: a layout table with inline styles, paragraphs of
// text with links and emphasis, images, a font or two and a script.
std::u16string MailLikeHtml(std::size_t size) {
  std::u16string html =
      u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>News</title>"
      u"<style>td{font-family:Arial}</style></head><body><table width=\"600\">";
  const std::u16string row =
      u"<tr><td style=\"font-family:Arial,Helvetica,sans-serif;font-size:14px;color:#333333\">"
      u"<p>Dear reader, this week we bring you the <b>latest</b> news about our products and "
      u"services, with offers you will not want to miss. Read the <a "
      u"href=\"https://www.example.com/news/item?id=42&amp;src=mail\">full story</a> on our site "
      u"or reply to this message.</p><img src=\"https://img.example.com/banner.png\" width=\"600\" "
      u"height=\"120\" alt=\"banner\"><p><font color=\"#0066cc\" size=\"2\">Unsubscribe</font> "
      u"at any time &nbsp;|&nbsp; Privacy</p></td></tr>\n";
  while (html.size() < size) html += row;
  html += u"</table><script>var seen = 1 < 2;</script></body></html>";
  return html;
}

void AnalyzeHtml(benchmark::State& state, const std::u16string& html) {
  TestPlatform world;
  world.options().bRemoveScripts = 1;
  world.options().bRemoveImages = 1;
  HtmlDocumentAnalyzer analyzer(world.env());
  const std::string narrow = world.codePage().ToNarrow(html).text;
  for (auto _ : state) {
    MessageFeatures features;
    HtmlDocumentResult result = analyzer.AnalyzeDocument(html, features);
    analyzer.RawScan(narrow, features);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(narrow.size()));
}

void BM_HtmlAnalysis(benchmark::State& state) {
  AnalyzeHtml(state, MailLikeHtml(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_HtmlAnalysis)
    ->Arg(5 << 10)
    ->Arg(50 << 10)
    ->Arg(500 << 10)
    ->Unit(benchmark::kMillisecond);

void BM_HtmlAnalysisDeepNesting(benchmark::State& state) {
  std::u16string html;
  while (html.size() < (1u << 20)) html += u"<div>";
  AnalyzeHtml(state, html);
}
BENCHMARK(BM_HtmlAnalysisDeepNesting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skerrow
