#include "host/maildir/MaildirFolder.h"

#include "base/Utf8.h"
#include "host/maildir/CharsetCodec.h"
#include "host/maildir/MaildirFolders.h"
#include "host/maildir/MaildirItems.h"
#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

Result<DispatchPtr> MaildirFolder::Parent() {
  if (node_->isRoot) return Ok<DispatchPtr>(context_->NameSpaceHandle());
  auto parent = node_->parent.lock();
  if (!parent) return Fail<DispatchPtr>(hr::kFail);
  return Ok<DispatchPtr>(context_->FolderHandle(parent));
}

Result<FoldersPtr> MaildirFolder::GetFolders() {
  return Ok<FoldersPtr>(std::make_shared<MaildirFolders>(context_, node_));
}

Result<ItemsPtr> MaildirFolder::GetItems() {
  return Ok<ItemsPtr>(std::make_shared<MaildirItems>(context_, node_));
}

Result<std::u16string> MaildirFolder::Name() {
  return Ok(CharsetCodec::Decode(node_->name, "").text);
}

HResult MaildirFolder::SetName(const std::u16string& name) {
  const HResult status = context_->Tree().Rename(node_, Utf16ToUtf8(name));
  if (hr::Failed(status)) {
    context_->NoteWriteFailure("cannot rename the folder " + context_->Tree().Directory(*node_) +
                                   " to " + Utf16ToUtf8(name),
                               status);
  }
  return status;
}

}  // namespace skerrow::maildir
