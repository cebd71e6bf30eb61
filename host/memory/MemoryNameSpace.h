// The "MAPI" namespace of the in-memory store: default folders by type and
// the address lists.
#pragma once

#include <memory>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryNameSpace : public NameSpace {
 public:
  explicit MemoryNameSpace(std::shared_ptr<StoreState> state);

  // kInvalidArg for a folder type the store has no default folder for.
  Result<FolderPtr> GetDefaultFolder(std::int32_t folderType) override;
  Result<AddressListsPtr> GetAddressLists() override;

 private:
  std::shared_ptr<StoreState> state_;
};

}  // namespace skerrow
