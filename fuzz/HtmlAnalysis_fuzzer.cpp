// Feeds arbitrary bytes through the whole HTML analysis: the document
// analysis with both cleaning options on (parse, walk, rendered text,
// serialization) and the raw scan. The first byte picks the options; the
// rest is taken as UTF-16 code units, so NULs and unpaired surrogates occur.
#include "fuzz/FuzzTarget.h"
#include "html/HtmlDocumentAnalyzer.h"
#include "tests/support/TestPlatform.h"

SKERROW_FUZZ_TARGET(HtmlAnalysis) {
  // One world for the whole run; its folder is removed when the process ends.
  static skerrow::TestPlatform world;
  if (input.empty()) return;
  const auto options = static_cast<unsigned char>(input[0]);
  world.options().bRemoveScripts = options & 1;
  world.options().bRemoveImages = (options >> 1) & 1;
  std::u16string html;
  if (options & 4) {
    for (std::size_t i = 1; i + 1 < input.size(); i += 2) {
      html.push_back(static_cast<char16_t>(static_cast<unsigned char>(input[i]) |
                                           (static_cast<unsigned char>(input[i + 1]) << 8)));
    }
  } else {
    for (std::size_t i = 1; i < input.size(); ++i) {
      html.push_back(static_cast<unsigned char>(input[i]));
    }
  }
  skerrow::HtmlDocumentAnalyzer analyzer(world.env());
  skerrow::MessageFeatures features;
  analyzer.AnalyzeDocument(html, features);
  analyzer.RawScan(world.codePage().ToNarrow(html).text, features);
}

SKERROW_FUZZ_SEEDS(HtmlAnalysis) {
  return {
      std::string("\x03") +
          "<html><body><p>Hello <b>there</b></p><script>x()</script>"
          "<img src=\"http://x.example/a.gif\" width=1></body></html>",
      std::string("\x00", 1) + "<font size=1>tiny</font><blink>odd</blink></html>after",
      std::string("\x01") + "<table><tr><td><a href=\"http://spam.example/\">click</a>",
  };
}
