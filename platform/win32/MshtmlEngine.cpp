#include "platform/win32/MshtmlEngine.h"

#include "platform/win32/MshtmlDocument.h"

namespace skerrow {

Result<std::unique_ptr<HtmlDocument>> MshtmlEngine::CreateDocument() {
  return MshtmlDocument::Create();
}

}  // namespace skerrow
