// The subfolders of a folder of the in-memory store. Raises FolderChange
// (FoldersEvents) for a subfolder whose item count changed; every handle of
// the same folder's Folders shares the subscriptions.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryFolders : public Folders {
 public:
  MemoryFolders(std::shared_ptr<StoreState> state, StoredFolderPtr folder);

  Result<std::int32_t> Count() override;
  Result<FolderPtr> Item(std::int32_t index) override;
  // The new folder goes last. Fails with kInvalidArg for an empty name and
  // kFail when a subfolder already has the name (ignoring case).
  Result<FolderPtr> Add(const std::u16string& name, std::int32_t folderType) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  std::shared_ptr<StoreState> state_;
  StoredFolderPtr folder_;
};

}  // namespace skerrow
