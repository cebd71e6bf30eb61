// A folder's subfolders as they are on disk at each call; Add creates a
// Maildir. Raises FolderChange (FoldersEvents) for a subfolder whose item
// count the store changed; every handle of the same folder's subfolders
// shares the subscriptions.
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;
struct FolderNode;

class MaildirFolders final : public Folders {
 public:
  MaildirFolders(std::shared_ptr<StoreContext> context, std::shared_ptr<FolderNode> node)
      : context_(std::move(context)), node_(std::move(node)) {}

  Result<std::int32_t> Count() override;
  Result<FolderPtr> Item(std::int32_t index) override;
  // Any folder type makes a mail folder. Fails like Folder::SetName for a
  // name that is invalid or taken.
  Result<FolderPtr> Add(const std::u16string& name, std::int32_t folderType) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  std::shared_ptr<StoreContext> context_;
  std::shared_ptr<FolderNode> node_;
};

}  // namespace skerrow::maildir
