// The HTML document engine on Linux: an HTML5 parser library (myhtml, kept
// behind MyHtmlParser) and a document tree, rendering and serialization of
// our own. Documents it creates must not outlive it.
#pragma once

#include "platform/HtmlEngine.h"
#include "platform/linux/MyHtmlParser.h"

namespace skerrow {

class MyHtmlEngine : public HtmlEngine {
 public:
  Result<std::unique_ptr<HtmlDocument>> CreateDocument() override;

 private:
  MyHtmlParser parser_;
};

}  // namespace skerrow
