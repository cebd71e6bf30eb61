#include "host/memory/StoreEvents.h"

#include "host/memory/MemoryHandles.h"

namespace skerrow {

namespace {

// The client raises FolderChange from the Folders collection that holds the
// folder; the root has none, so its changes are silent.
void RaiseFolderChange(const std::shared_ptr<StoreState>& state, const StoredFolderPtr& folder) {
  StoredFolderPtr parent = folder->parent.lock();
  if (!parent) return;
  parent->subfolderSinks.Raise(dispid::kFolderChange, {MakeFolderHandle(state, folder)});
}

void RaiseItemAdd(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item,
                  const StoredFolderPtr& folder) {
  folder->itemSinks.Raise(dispid::kItemAdd, {MakeItemHandle(state, item)});
}

}  // namespace

void AddItemToFolder(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item,
                     const StoredFolderPtr& folder, bool raiseEvents) {
  item->folder = folder;
  folder->items.push_back(item);
  if (!raiseEvents) return;
  EventQueue::Batch batch(*state->queue);
  RaiseFolderChange(state, folder);
  RaiseItemAdd(state, item, folder);
}

HResult MoveItemToFolder(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item,
                         const StoredFolderPtr& destination) {
  StoredFolderPtr source = item->folder.lock();
  if (!source) return hr::kFail;
  if (source == destination) return hr::kOk;
  source->RemoveItem(item.get());
  item->folder = destination;
  destination->items.push_back(item);

  EventQueue::Batch batch(*state->queue);
  RaiseFolderChange(state, source);
  RaiseFolderChange(state, destination);
  RaiseItemAdd(state, item, destination);
  return hr::kOk;
}

}  // namespace skerrow
