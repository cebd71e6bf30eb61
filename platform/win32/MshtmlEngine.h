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
  // The status of creating and preparing MSHTML's document on failure (the
  // class's CLASS_E_CLASSNOTAVAILABLE or REGDB_E_CLASSNOTREG where MSHTML is
  // missing), with no document.
  Result<std::unique_ptr<HtmlDocument>> CreateDocument() override;
};

}  // namespace skerrow
