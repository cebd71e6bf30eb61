#include "host/maildir/NestedLayout.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

namespace {

bool IsMaildirPart(const std::string& name) {
  return name == "cur" || name == "new" || name == "tmp";
}

}  // namespace

std::string NestedLayout::Directory(const FolderPath& path) const {
  std::string dir = storeDir_;
  for (const std::string& name : path) dir += "/" + name;
  return dir;
}

std::string NestedLayout::ParentDirectory(const FolderPath& path) const {
  return Directory(FolderPath(path.begin(), path.end() - 1));
}

std::vector<std::string> NestedLayout::ChildNames(const FolderPath& parent) const {
  const std::string dir = Directory(parent);
  std::vector<std::string> names;
  for (std::string& name : MaildirFiles::ListDirectories(dir)) {
    if (name[0] == '.' || IsMaildirPart(name)) continue;
    if (!MaildirFiles::IsMaildir(dir + "/" + name)) continue;
    names.push_back(std::move(name));
  }
  return names;
}

HResult NestedLayout::CheckName(const std::string& name) const {
  if (name.empty() || name.size() > 255 || name[0] == '.' || IsMaildirPart(name)) {
    return kInvalidName;
  }
  for (char c : name) {
    if (c == '/' || c == '\0') return kInvalidName;
  }
  return hr::kOk;
}

HResult NestedLayout::Create(const FolderPath& path) const {
  if (path.empty()) return hr::kInvalidArg;
  const std::string parent = ParentDirectory(path);
  const std::string target = parent + "/" + path.back();
  if (access(target.c_str(), F_OK) == 0) return kAlreadyExists;
  // Built under a hidden name and renamed into place, so that a folder is
  // either complete or absent.
  const std::string staging = parent + "/.creating-" + std::to_string(getpid()) + "-" + path.back();
  MaildirFiles::RemoveTree(staging);
  HResult status = MaildirFiles::EnsureMaildir(staging);
  if (hr::Succeeded(status)) status = MaildirFiles::RenameNoReplace(staging, target);
  if (hr::Failed(status)) {
    MaildirFiles::RemoveTree(staging);
    return status;
  }
  MaildirFiles::SyncDirectory(parent);
  return hr::kOk;
}

HResult NestedLayout::Rename(const FolderPath& path, const std::string& newName) const {
  if (path.empty()) return hr::kAccessDenied;
  const std::string parent = ParentDirectory(path);
  const HResult status = MaildirFiles::RenameNoReplace(Directory(path), parent + "/" + newName);
  if (hr::Succeeded(status)) MaildirFiles::SyncDirectory(parent);
  return status;
}

HResult NestedLayout::EnsureInbox() const {
  return MaildirFiles::EnsureMaildir(storeDir_ + "/" + kInboxName);
}

}  // namespace skerrow::maildir
