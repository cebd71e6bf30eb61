// Makes the handle that fits a stored object: each call gives a fresh handle,
// as the client gives a fresh reference for every property read.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

// A mail item, a task item, or an object without faces (meeting request).
DispatchPtr MakeItemHandle(const std::shared_ptr<StoreState>& state, const StoredItemPtr& item);
FolderPtr MakeFolderHandle(const std::shared_ptr<StoreState>& state, const StoredFolderPtr& folder);
// A button, a popup, or an object without faces for other control types.
DispatchPtr MakeControlHandle(const std::shared_ptr<StoreState>& state,
                              const std::shared_ptr<StoredControl>& control);

// The stored folder behind a folder handle of this store, or null.
StoredFolderPtr StoredFolderOf(const StoreState& state, const FolderPtr& folder);

}  // namespace skerrow
