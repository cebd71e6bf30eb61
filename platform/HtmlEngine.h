// The HTML document engine: parses an HTML string into a document whose
// elements can be walked in document order, read and partly rewritten.
#pragma once

namespace skerrow {

class HtmlEngine {
 public:
  virtual ~HtmlEngine() = default;
};

}  // namespace skerrow
