// The HTML document engine on Windows: MSHTML, the engine Outlook itself
// shows HTML mail with, used as a parser only (nothing of a document is
// fetched, run or shown; see MshtmlDocument.h).
//
// Threading: COM must be initialised on the calling thread, in a
// single-threaded apartment (Outlook's user-interface thread is one), and a
// document is used and destroyed on the thread that created it, before COM
// is uninitialised there.
#pragma once

#include "platform/HtmlEngine.h"

namespace skerrow {

class MshtmlEngine final : public HtmlEngine {
 public:
  // On failure, no document and the status of the step that failed: of
  // creating MSHTML's document (where MSHTML is missing or disabled, what
  // COM answers for its class), or of restricting or initialising it.
  Result<std::unique_ptr<HtmlDocument>> CreateDocument() override;
};

}  // namespace skerrow
