#include "host/maildir/MaildirFolders.h"

#include "base/Utf8.h"
#include "host/maildir/MaildirStatus.h"
#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

Result<std::int32_t> MaildirFolders::Count() {
  return Ok(static_cast<std::int32_t>(context_->Tree().Children(node_).size()));
}

Result<FolderPtr> MaildirFolders::Item(std::int32_t index) {
  const auto& children = context_->Tree().Children(node_);
  if (index < 1 || static_cast<std::size_t>(index) > children.size()) {
    return Fail<FolderPtr>(kBadIndex);
  }
  return Ok(context_->FolderHandle(children[static_cast<std::size_t>(index) - 1]));
}

Result<FolderPtr> MaildirFolders::Add(const std::u16string& name, std::int32_t) {
  auto added = context_->Tree().Add(node_, Utf16ToUtf8(name));
  if (!added.ok()) {
    context_->NoteWriteFailure("cannot create the folder " + Utf16ToUtf8(name), added.status);
    return Fail<FolderPtr>(added.status);
  }
  return Ok(context_->FolderHandle(added.value));
}

Result<std::uint32_t> MaildirFolders::Advise(EventInterface iface, EventSink* sink) {
  return node_->folderEvents.Advise(iface, sink);
}

HResult MaildirFolders::Unadvise(std::uint32_t cookie) {
  return node_->folderEvents.Unadvise(cookie);
}

}  // namespace skerrow::maildir
