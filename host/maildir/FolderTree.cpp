#include "host/maildir/FolderTree.h"

#include <algorithm>
#include <functional>

#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

namespace {

// Deeper than any real folder tree; a bound for directory links that loop.
constexpr std::size_t kMaxDepth = 32;

std::string BaseName(const std::string& dir) {
  std::string trimmed = dir;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace

FolderTree::FolderTree(std::string storeDir, std::unique_ptr<StoreLayout> layout,
                       std::shared_ptr<EventQueue> queue)
    : storeDir_(std::move(storeDir)), layout_(std::move(layout)), queue_(std::move(queue)) {
  root_ = std::make_shared<FolderNode>(BaseName(storeDir_), nullptr, queue_);
}

std::shared_ptr<FolderNode> FolderTree::Inbox() {
  // The Inbox known from the last listing, while it is still a Maildir: a
  // message delivered costs no listing of the store's top level.
  for (const auto& child : root_->children) {
    if (child->name == StoreLayout::kInboxName && MaildirFiles::IsMaildir(Directory(*child))) {
      return child;
    }
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    for (const auto& child : Children(root_)) {
      if (child->name == StoreLayout::kInboxName) return child;
    }
    layout_->EnsureInbox();
  }
  // Not even creatable: a node all the same, whose operations fail cleanly.
  auto inbox = std::make_shared<FolderNode>(StoreLayout::kInboxName, root_, queue_);
  return inbox;
}

const std::vector<std::shared_ptr<FolderNode>>& FolderTree::Children(
    const std::shared_ptr<FolderNode>& node) {
  const std::vector<std::string> names = layout_->ChildNames(node->Path());
  std::vector<std::shared_ptr<FolderNode>> children;
  children.reserve(names.size());
  for (const std::string& name : names) {
    auto existing = std::find_if(node->children.begin(), node->children.end(),
                                 [&name](const auto& child) { return child->name == name; });
    children.push_back(existing != node->children.end()
                           ? *existing
                           : std::make_shared<FolderNode>(name, node, queue_));
  }
  node->children = std::move(children);
  return node->children;
}

std::vector<std::shared_ptr<FolderNode>> FolderTree::AllFolders() {
  std::vector<std::shared_ptr<FolderNode>> all;
  std::function<void(const std::shared_ptr<FolderNode>&, std::size_t)> walk =
      [&](const std::shared_ptr<FolderNode>& node, std::size_t depth) {
        if (depth > kMaxDepth) return;
        const auto children = Children(node);  // a copy: the walk re-lists
        for (const auto& child : children) {
          all.push_back(child);
          walk(child, depth + 1);
        }
      };
  walk(root_, 0);
  return all;
}

bool FolderTree::IsTopLevel(const FolderNode& node) const {
  auto parent = node.parent.lock();
  return parent != nullptr && parent->isRoot;
}

bool FolderTree::IsInbox(const FolderNode& node) const {
  return IsTopLevel(node) && node.name == StoreLayout::kInboxName;
}

std::string FolderTree::Directory(const FolderNode& node) const {
  if (node.isRoot) return {};
  return layout_->Directory(node.Path());
}

std::int32_t FolderTree::CountItems(const FolderNode& node) const {
  const std::string dir = Directory(node);
  if (dir.empty()) return 0;
  const std::size_t count =
      MaildirFiles::ListFiles(dir + "/cur").size() + MaildirFiles::ListFiles(dir + "/new").size();
  return static_cast<std::int32_t>(std::min<std::size_t>(count, INT32_MAX));
}

Result<std::shared_ptr<FolderNode>> FolderTree::Add(const std::shared_ptr<FolderNode>& parent,
                                                    const std::string& name) {
  using NodeResult = Result<std::shared_ptr<FolderNode>>;
  HResult status = layout_->CheckName(name);
  if (hr::Failed(status)) return NodeResult{status, nullptr};
  for (const auto& child : Children(parent)) {
    if (child->name == name) return NodeResult{kAlreadyExists, nullptr};
  }
  FolderPath path = parent->Path();
  path.push_back(name);
  status = layout_->Create(path);
  if (hr::Failed(status)) return NodeResult{status, nullptr};
  for (const auto& child : Children(parent)) {
    if (child->name == name) {
      child->knownCount = 0;
      return Ok(child);
    }
  }
  return NodeResult{kPathNotFound, nullptr};
}

HResult FolderTree::Rename(const std::shared_ptr<FolderNode>& node, const std::string& name) {
  if (node->isRoot || IsInbox(*node)) return hr::kAccessDenied;
  if (name == node->name) return hr::kOk;
  const HResult status = layout_->CheckName(name);
  if (hr::Failed(status)) return status;
  auto parent = node->parent.lock();
  if (parent) {
    for (const auto& sibling : Children(parent)) {
      if (sibling->name == name) return kAlreadyExists;
    }
  }
  const HResult renamed = layout_->Rename(node->Path(), name);
  if (hr::Failed(renamed)) return renamed;
  node->name = name;
  return hr::kOk;
}

}  // namespace skerrow::maildir
