// The Maildir++ layout that other mail programs keep: the store directory is
// itself the Inbox's Maildir; every other folder is a directory ".A" beside
// cur/, with subfolders as ".A.B". A dot cannot be part of a folder name, and
// the Inbox has no subfolders.
#pragma once

#include "host/maildir/StoreLayout.h"

namespace skerrow::maildir {

class MaildirPlusPlusLayout final : public StoreLayout {
 public:
  explicit MaildirPlusPlusLayout(std::string storeDir) : storeDir_(std::move(storeDir)) {}

  std::string Directory(const FolderPath& path) const override;
  std::vector<std::string> ChildNames(const FolderPath& parent) const override;
  HResult CheckName(const std::string& name) const override;
  HResult Create(const FolderPath& path) const override;
  HResult Rename(const FolderPath& path, const std::string& newName) const override;
  HResult EnsureInbox() const override;

 private:
  // ".A.B" for the path [A, B].
  static std::string DotName(const FolderPath& path);

  std::string storeDir_;
};

}  // namespace skerrow::maildir
