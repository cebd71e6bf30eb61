// The folders of a store: the tree of nodes kept in step with the directories
// on disk (re-listed whenever a caller asks for a folder's subfolders), their
// Maildir directories, item counts and message files, and the creation and
// renaming of folders.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Result.h"
#include "host/maildir/FolderNode.h"

namespace skerrow::maildir {

class FolderTree {
 public:
  FolderTree(std::string storeDir, std::unique_ptr<StoreLayout> layout,
             std::shared_ptr<EventQueue> queue);

  const std::string& StoreDirectory() const { return storeDir_; }
  const std::shared_ptr<FolderNode>& Root() const { return root_; }
  // The Inbox among the top-level folders (created on disk if it went away).
  std::shared_ptr<FolderNode> Inbox();

  // The subfolders as they are on disk now; nodes of folders still there
  // are kept, so their subscriptions live on.
  const std::vector<std::shared_ptr<FolderNode>>& Children(const std::shared_ptr<FolderNode>& node);
  // Every folder below the root, depth first (bounded against link loops).
  std::vector<std::shared_ptr<FolderNode>> AllFolders();
  bool IsTopLevel(const FolderNode& node) const;
  bool IsInbox(const FolderNode& node) const;

  // The folder's Maildir directory; empty for the root, which has none.
  std::string Directory(const FolderNode& node) const;
  // Messages in cur/ and new/.
  std::int32_t CountItems(const FolderNode& node) const;

  Result<std::shared_ptr<FolderNode>> Add(const std::shared_ptr<FolderNode>& parent,
                                          const std::string& name);
  HResult Rename(const std::shared_ptr<FolderNode>& node, const std::string& name);
  HResult EnsureInbox() const { return layout_->EnsureInbox(); }

 private:
  std::string storeDir_;
  std::unique_ptr<StoreLayout> layout_;
  std::shared_ptr<EventQueue> queue_;
  std::shared_ptr<FolderNode> root_;
};

}  // namespace skerrow::maildir
