#include "host/maildir/MaildirExplorer.h"

#include "host/maildir/FixedCollection.h"
#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

Result<CommandBarsPtr> MaildirExplorer::GetCommandBars() {
  return Ok<CommandBarsPtr>(context_->CommandBars());
}

Result<FolderPtr> MaildirExplorer::CurrentFolder() {
  return Ok(context_->FolderHandle(context_->CurrentFolder()));
}

Result<SelectionPtr> MaildirExplorer::GetSelection() {
  return Ok<SelectionPtr>(
      std::make_shared<FixedCollection<Selection, Dispatch>>(context_->Selection()));
}

}  // namespace skerrow::maildir
