// One folder of a store as the store keeps it between calls: its on-disk
// name, its place in the tree, and the subscriptions of its two event
// sources (its subfolders' FolderChange, its items' ItemAdd). Handles given
// out for the folder share the node, so that a sink advised through one
// handle hears the events raised for any other.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/EventQueue.h"
#include "host/maildir/StoreLayout.h"

namespace skerrow::maildir {

struct FolderNode {
  FolderNode(std::string folderName, const std::shared_ptr<FolderNode>& parentNode,
             const std::shared_ptr<EventQueue>& queue)
      : name(std::move(folderName)),
        parent(parentNode),
        isRoot(parentNode == nullptr),
        folderEvents(EventInterface::FoldersEvents, queue),
        itemEvents(EventInterface::ItemsEvents, queue) {}

  FolderPath Path() const {
    FolderPath path;
    for (const FolderNode* node = this; node != nullptr && !node->isRoot;) {
      path.insert(path.begin(), node->name);
      auto up = node->parent.lock();
      node = up.get();
    }
    return path;
  }

  std::string name;  // on disk, UTF-8; the root's is the store's directory name
  std::weak_ptr<FolderNode> parent;
  bool isRoot;
  std::vector<std::shared_ptr<FolderNode>> children;  // as last listed
  EventQueue::SinkList folderEvents;                  // FolderChange of the subfolders
  EventQueue::SinkList itemEvents;                    // ItemAdd of the items
  // The item count last announced (or seen at start), for the watcher.
  std::optional<std::int32_t> knownCount;
};

}  // namespace skerrow::maildir
