#include "host/memory/MemoryNameSpace.h"

#include <utility>

#include "host/memory/MemoryAddressList.h"
#include "host/memory/MemoryHandles.h"
#include "host/memory/MemoryIndexedCollection.h"

namespace skerrow {

MemoryNameSpace::MemoryNameSpace(std::shared_ptr<StoreState> state) : state_(std::move(state)) {}

Result<FolderPtr> MemoryNameSpace::GetDefaultFolder(std::int32_t folderType) {
  if (HResult failure = state_->faults.Check("NameSpace.GetDefaultFolder"); hr::Failed(failure)) {
    return Fail<FolderPtr>(failure);
  }
  auto found = state_->defaultFolders.find(folderType);
  if (found == state_->defaultFolders.end()) return Fail<FolderPtr>(hr::kInvalidArg);
  StoredFolderPtr folder = found->second.lock();
  if (!folder) return Fail<FolderPtr>(hr::kInvalidArg);
  return Ok(MakeFolderHandle(state_, folder));
}

Result<AddressListsPtr> MemoryNameSpace::GetAddressLists() {
  if (HResult failure = state_->faults.Check("NameSpace.GetAddressLists"); hr::Failed(failure)) {
    return Fail<AddressListsPtr>(failure);
  }
  std::vector<AddressListPtr> lists;
  for (const auto& list : state_->addressLists) {
    lists.push_back(std::make_shared<MemoryAddressList>(state_, list));
  }
  return Ok<AddressListsPtr>(std::make_shared<MemoryAddressLists>(
      state_, "AddressLists.Count", "AddressLists.Item", std::move(lists)));
}

}  // namespace skerrow
