#include "platform/linux/MyHtmlEngine.h"

#include "platform/linux/MyHtmlDocument.h"

namespace skerrow {

Result<std::unique_ptr<HtmlDocument>> MyHtmlEngine::CreateDocument() {
  return Ok<std::unique_ptr<HtmlDocument>>(std::make_unique<MyHtmlDocument>(parser_));
}

}  // namespace skerrow
