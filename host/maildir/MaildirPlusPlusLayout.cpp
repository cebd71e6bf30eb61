#include "host/maildir/MaildirPlusPlusLayout.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

namespace {

bool IsInbox(const FolderPath& path) {
  return path.size() == 1 && path[0] == StoreLayout::kInboxName;
}

}  // namespace

std::string MaildirPlusPlusLayout::DotName(const FolderPath& path) {
  std::string name;
  for (const std::string& part : path) name += "." + part;
  return name;
}

std::string MaildirPlusPlusLayout::Directory(const FolderPath& path) const {
  if (IsInbox(path)) return storeDir_;
  return storeDir_ + "/" + DotName(path);
}

std::vector<std::string> MaildirPlusPlusLayout::ChildNames(const FolderPath& parent) const {
  std::vector<std::string> names;
  if (IsInbox(parent)) return names;
  if (parent.empty()) names.emplace_back(kInboxName);
  const std::string prefix = DotName(parent) + ".";
  for (const std::string& dir : MaildirFiles::ListDirectories(storeDir_)) {
    if (dir.size() <= prefix.size() || dir.compare(0, prefix.size(), prefix) != 0) continue;
    if (!MaildirFiles::IsMaildir(storeDir_ + "/" + dir)) continue;
    const std::string rest = dir.substr(prefix.size());
    const std::string name = rest.substr(0, rest.find('.'));
    if (name.empty() || (parent.empty() && name == kInboxName)) continue;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

HResult MaildirPlusPlusLayout::CheckName(const std::string& name) const {
  if (name.empty() || name.size() > 200) return kInvalidName;
  for (char c : name) {
    if (c == '.' || c == '/' || c == '\0') return kInvalidName;
  }
  return hr::kOk;
}

HResult MaildirPlusPlusLayout::Create(const FolderPath& path) const {
  if (path.empty() || (path.size() > 1 && path[0] == kInboxName)) return hr::kInvalidArg;
  if (IsInbox(path)) return kAlreadyExists;
  const std::string target = Directory(path);
  if (access(target.c_str(), F_OK) == 0) return kAlreadyExists;
  // Built inside the Inbox's tmp/, where no reader takes it for a folder,
  // and renamed into place complete.
  HResult status = MaildirFiles::EnsureMaildir(storeDir_);
  if (hr::Failed(status)) return status;
  const std::string staging = storeDir_ + "/tmp/.creating-" + std::to_string(getpid());
  MaildirFiles::RemoveTree(staging);
  status = MaildirFiles::EnsureMaildir(staging);
  if (hr::Succeeded(status)) {
    const int marker =
        open((staging + "/maildirfolder").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (marker >= 0) close(marker);
    status = MaildirFiles::RenameNoReplace(staging, target);
  }
  if (hr::Failed(status)) {
    MaildirFiles::RemoveTree(staging);
    return status;
  }
  MaildirFiles::SyncDirectory(storeDir_);
  return hr::kOk;
}

HResult MaildirPlusPlusLayout::Rename(const FolderPath& path, const std::string& newName) const {
  if (path.empty() || IsInbox(path)) return hr::kAccessDenied;
  FolderPath renamed = path;
  renamed.back() = newName;
  if (IsInbox(renamed)) return kAlreadyExists;
  const std::string oldPrefix = DotName(path);
  const std::string newPrefix = DotName(renamed);
  // The folder and every subfolder directory, each renamed to its new prefix.
  std::vector<std::string> moving;
  for (const std::string& dir : MaildirFiles::ListDirectories(storeDir_)) {
    if (dir == oldPrefix ||
        (dir.size() > oldPrefix.size() && dir.compare(0, oldPrefix.size(), oldPrefix) == 0 &&
         dir[oldPrefix.size()] == '.')) {
      moving.push_back(dir);
    }
  }
  if (moving.empty()) return kFileNotFound;
  for (const std::string& dir : moving) {
    const std::string target = storeDir_ + "/" + newPrefix + dir.substr(oldPrefix.size());
    if (access(target.c_str(), F_OK) == 0) return kAlreadyExists;
  }
  for (const std::string& dir : moving) {
    const HResult status = MaildirFiles::RenameNoReplace(
        storeDir_ + "/" + dir, storeDir_ + "/" + newPrefix + dir.substr(oldPrefix.size()));
    if (hr::Failed(status)) return status;
  }
  MaildirFiles::SyncDirectory(storeDir_);
  return hr::kOk;
}

HResult MaildirPlusPlusLayout::EnsureInbox() const {
  return MaildirFiles::EnsureMaildir(storeDir_);
}

}  // namespace skerrow::maildir
