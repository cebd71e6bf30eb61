// A folder of the in-memory store. The root's Parent is the namespace; every
// other folder's Parent is its parent folder.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryFolder : public Folder, public std::enable_shared_from_this<MemoryFolder> {
 public:
  MemoryFolder(std::shared_ptr<StoreState> state, StoredFolderPtr folder);

  FolderPtr AsFolder() override { return shared_from_this(); }

  Result<DispatchPtr> Parent() override;
  Result<FoldersPtr> GetFolders() override;
  Result<ItemsPtr> GetItems() override;
  Result<std::u16string> Name() override;
  // Fails with kInvalidArg for an empty name and kFail when a sibling already
  // has the name (ignoring case).
  HResult SetName(const std::u16string& name) override;

  const StoredFolderPtr& Record() const { return folder_; }
  const std::shared_ptr<StoreState>& State() const { return state_; }

 private:
  std::shared_ptr<StoreState> state_;
  StoredFolderPtr folder_;
};

}  // namespace skerrow
