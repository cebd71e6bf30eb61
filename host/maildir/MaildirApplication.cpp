#include "host/maildir/MaildirApplication.h"

#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

Result<ExplorerPtr> MaildirApplication::ActiveExplorer() {
  return Ok(context_->ExplorerHandle());
}

Result<NameSpacePtr> MaildirApplication::GetNamespace(const std::u16string& type) {
  std::u16string upper = type;
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  if (upper != u"MAPI") return Fail<NameSpacePtr>(hr::kInvalidArg);
  return Ok(context_->NameSpaceHandle());
}

Result<std::uint32_t> MaildirApplication::Advise(EventInterface iface, EventSink* sink) {
  return context_->ApplicationEvents().Advise(iface, sink);
}

HResult MaildirApplication::Unadvise(std::uint32_t cookie) {
  return context_->ApplicationEvents().Unadvise(cookie);
}

}  // namespace skerrow::maildir
