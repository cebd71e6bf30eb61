#include "host/memory/MemoryFolder.h"

#include <utility>

#include "host/memory/MemoryFolders.h"
#include "host/memory/MemoryItems.h"
#include "host/memory/MemoryNameSpace.h"

namespace skerrow {

MemoryFolder::MemoryFolder(std::shared_ptr<StoreState> state, StoredFolderPtr folder)
    : state_(std::move(state)), folder_(std::move(folder)) {}

Result<DispatchPtr> MemoryFolder::Parent() {
  if (HResult failure = state_->faults.Check("Folder.Parent"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  if (StoredFolderPtr parent = folder_->parent.lock()) {
    return Ok<DispatchPtr>(std::make_shared<MemoryFolder>(state_, parent));
  }
  return Ok<DispatchPtr>(std::make_shared<MemoryNameSpace>(state_));
}

Result<FoldersPtr> MemoryFolder::GetFolders() {
  if (HResult failure = state_->faults.Check("Folder.GetFolders"); hr::Failed(failure)) {
    return Fail<FoldersPtr>(failure);
  }
  return Ok<FoldersPtr>(std::make_shared<MemoryFolders>(state_, folder_));
}

Result<ItemsPtr> MemoryFolder::GetItems() {
  if (HResult failure = state_->faults.Check("Folder.GetItems"); hr::Failed(failure)) {
    return Fail<ItemsPtr>(failure);
  }
  return Ok<ItemsPtr>(std::make_shared<MemoryItems>(state_, folder_));
}

Result<std::u16string> MemoryFolder::Name() {
  if (HResult failure = state_->faults.Check("Folder.Name"); hr::Failed(failure)) {
    return Fail<std::u16string>(failure);
  }
  return Ok(folder_->name);
}

HResult MemoryFolder::SetName(const std::u16string& name) {
  if (HResult failure = state_->faults.Check("Folder.SetName"); hr::Failed(failure)) {
    return failure;
  }
  if (name.empty()) return hr::kInvalidArg;
  if (StoredFolderPtr parent = folder_->parent.lock()) {
    StoredFolderPtr namesake = parent->FindSubfolder(name);
    if (namesake && namesake != folder_) return hr::kFail;
  }
  folder_->name = name;
  return hr::kOk;
}

}  // namespace skerrow
