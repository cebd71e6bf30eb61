// The store's own layout: each top-level folder a Maildir directly under the
// store directory ("Inbox/", "Junk E-mail/"), subfolders nested inside their
// parent folder's directory. Hidden directories and the Maildir's own cur/,
// new/ and tmp/ are never folders.
#pragma once

#include "host/maildir/StoreLayout.h"

namespace skerrow::maildir {

class NestedLayout final : public StoreLayout {
 public:
  explicit NestedLayout(std::string storeDir) : storeDir_(std::move(storeDir)) {}

  std::string Directory(const FolderPath& path) const override;
  std::vector<std::string> ChildNames(const FolderPath& parent) const override;
  HResult CheckName(const std::string& name) const override;
  HResult Create(const FolderPath& path) const override;
  HResult Rename(const FolderPath& path, const std::string& newName) const override;
  HResult EnsureInbox() const override;

 private:
  std::string ParentDirectory(const FolderPath& path) const;

  std::string storeDir_;
};

}  // namespace skerrow::maildir
