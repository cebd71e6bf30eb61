// Changes of the store that raise the client's events, shared by the mail
// item's Move and the test helpers of MemoryStore.
#pragma once

#include <memory>

#include "host/memory/StoreState.h"

namespace skerrow {

// Puts the item at the end of the folder. With events: FolderChange for the
// folder (from its parent's Folders), then ItemAdd on the folder's Items.
void AddItemToFolder(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item,
                     const StoredFolderPtr& folder, bool raiseEvents);

// Moves the item and raises, as one batch: FolderChange for the source, then
// for the destination (each from its parent's Folders), then ItemAdd on the
// destination's Items. A move into the folder the item is in changes nothing
// and raises nothing. Fails (kFail) for an item that is in no folder.
HResult MoveItemToFolder(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item,
                         const StoredFolderPtr& destination);

}  // namespace skerrow
