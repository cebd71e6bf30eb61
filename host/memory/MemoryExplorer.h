// The active explorer of the in-memory store: its command bars, the folder it
// shows and the selection, all as MemoryStore set them.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryExplorer : public Explorer {
 public:
  explicit MemoryExplorer(std::shared_ptr<StoreState> state);

  Result<CommandBarsPtr> GetCommandBars() override;
  // The folder set as current; the Inbox when that folder is gone.
  Result<FolderPtr> CurrentFolder() override;
  // The selection as it is at this call.
  Result<SelectionPtr> GetSelection() override;

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
