// Feeds arbitrary bytes through the whole HTML analysis: the document
// analysis with both cleaning options on (parse, walk, rendered text,
// serialization) and the raw scan. The first byte picks the options; the
// rest is taken as UTF-16 code units, so NULs and unpaired surrogates occur.
#include <cstddef>
#include <cstdint>
#include <string>

#include "html/HtmlDocumentAnalyzer.h"
#include "tests/support/TestPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static skerrow::TestPlatform* world = new skerrow::TestPlatform();
  if (size == 0) return 0;
  world->options().bRemoveScripts = data[0] & 1;
  world->options().bRemoveImages = (data[0] >> 1) & 1;
  std::u16string html;
  if (data[0] & 4) {
    for (std::size_t i = 1; i + 1 < size; i += 2) {
      html.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
  } else {
    for (std::size_t i = 1; i < size; ++i) html.push_back(data[i]);
  }
  skerrow::HtmlDocumentAnalyzer analyzer(world->env());
  skerrow::MessageFeatures features;
  analyzer.AnalyzeDocument(html, features);
  analyzer.RawScan(world->codePage().ToNarrow(html).text, features);
  return 0;
}
