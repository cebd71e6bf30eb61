// How a store's folders map onto directories. A folder is named by its path:
// the on-disk names (UTF-8) from its top-level folder down; the root folder
// (the store itself) has the empty path and holds no messages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/HResult.h"

namespace skerrow::maildir {

using FolderPath = std::vector<std::string>;

class StoreLayout {
 public:
  static constexpr const char* kInboxName = "Inbox";

  virtual ~StoreLayout() = default;

  // A Maildir++ store (the store directory itself a Maildir, folders as
  // ".Name" directories) when the directory has cur/ but no Inbox/;
  // otherwise the nested layout.
  static std::unique_ptr<StoreLayout> Detect(const std::string& storeDir);

  // The Maildir directory of a folder (the path must not be empty).
  virtual std::string Directory(const FolderPath& path) const = 0;
  // The names of a folder's subfolders, sorted; the empty path lists the
  // top-level folders.
  virtual std::vector<std::string> ChildNames(const FolderPath& parent) const = 0;
  // kOk, or kInvalidName for a name no folder can have.
  virtual HResult CheckName(const std::string& name) const = 0;
  // Creates the folder's Maildir, failing with kAlreadyExists when the name
  // is taken. Nothing half-made is left behind on failure.
  virtual HResult Create(const FolderPath& path) const = 0;
  // Gives the folder (and so its subfolders) a new last name; fails with
  // kAlreadyExists when a folder of that name exists beside it.
  virtual HResult Rename(const FolderPath& path, const std::string& newName) const = 0;
  // Creates the Inbox's Maildir when it is missing.
  virtual HResult EnsureInbox() const = 0;
};

}  // namespace skerrow::maildir
