// The "MAPI" namespace of a store: its default Inbox and the address lists
// of the prefix's contacts/ folder (one list per *.vcf file, by file name).
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;

class MaildirNameSpace final : public NameSpace {
 public:
  explicit MaildirNameSpace(std::shared_ptr<StoreContext> context) : context_(std::move(context)) {}

  // Only the Inbox (6) is a default folder here.
  Result<FolderPtr> GetDefaultFolder(std::int32_t folderType) override;
  // Read from the files at each call; no contacts folder gives no lists.
  Result<AddressListsPtr> GetAddressLists() override;

 private:
  std::shared_ptr<StoreContext> context_;
};

}  // namespace skerrow::maildir
