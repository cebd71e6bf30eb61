#include "host/memory/MemoryExplorer.h"

#include <utility>

#include "host/memory/MemoryCommandBars.h"
#include "host/memory/MemoryHandles.h"
#include "host/memory/MemoryIndexedCollection.h"

namespace skerrow {

MemoryExplorer::MemoryExplorer(std::shared_ptr<StoreState> state) : state_(std::move(state)) {}

Result<CommandBarsPtr> MemoryExplorer::GetCommandBars() {
  if (HResult failure = state_->faults.Check("Explorer.GetCommandBars"); hr::Failed(failure)) {
    return Fail<CommandBarsPtr>(failure);
  }
  return Ok<CommandBarsPtr>(std::make_shared<MemoryCommandBars>(state_));
}

Result<FolderPtr> MemoryExplorer::CurrentFolder() {
  if (HResult failure = state_->faults.Check("Explorer.CurrentFolder"); hr::Failed(failure)) {
    return Fail<FolderPtr>(failure);
  }
  StoredFolderPtr folder = state_->currentFolder.lock();
  if (!folder) {
    auto inbox = state_->defaultFolders.find(olk::kFolderInbox);
    if (inbox != state_->defaultFolders.end()) folder = inbox->second.lock();
  }
  if (!folder) folder = state_->root;
  return Ok(MakeFolderHandle(state_, folder));
}

Result<SelectionPtr> MemoryExplorer::GetSelection() {
  if (HResult failure = state_->faults.Check("Explorer.GetSelection"); hr::Failed(failure)) {
    return Fail<SelectionPtr>(failure);
  }
  std::vector<DispatchPtr> selected;
  for (const SelectedObject& object : state_->selection) {
    selected.push_back(object.item ? MakeItemHandle(state_, object.item) : object.foreign);
  }
  return Ok<SelectionPtr>(std::make_shared<MemorySelection>(state_, "Selection.Count",
                                                            "Selection.Item", std::move(selected)));
}

}  // namespace skerrow
