// A folder of the store (or the root folder, the store itself, which holds
// the top-level folders and no messages). Renaming renames its directory;
// the Inbox and the root cannot be renamed.
#pragma once

#include <memory>

#include "host/MailHost.h"

namespace skerrow::maildir {

class StoreContext;
struct FolderNode;

class MaildirFolder final : public Folder, public std::enable_shared_from_this<MaildirFolder> {
 public:
  MaildirFolder(std::shared_ptr<StoreContext> context, std::shared_ptr<FolderNode> node)
      : context_(std::move(context)), node_(std::move(node)) {}

  FolderPtr AsFolder() override { return shared_from_this(); }
  // The parent folder; for the root, the namespace.
  Result<DispatchPtr> Parent() override;
  Result<FoldersPtr> GetFolders() override;
  Result<ItemsPtr> GetItems() override;
  Result<std::u16string> Name() override;
  // Fails with kInvalidName for a name no directory can have here (empty,
  // with "/", hidden, "cur"/"new"/"tmp"), kAlreadyExists when a sibling has
  // it, kAccessDenied for the Inbox and the root.
  HResult SetName(const std::u16string& name) override;

  const std::shared_ptr<FolderNode>& Node() const { return node_; }
  const StoreContext* Context() const { return context_.get(); }

 private:
  std::shared_ptr<StoreContext> context_;
  std::shared_ptr<FolderNode> node_;
};

}  // namespace skerrow::maildir
