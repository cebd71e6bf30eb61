// One folder of the in-memory store. The sinks live here, not in the handles,
// so that every Folders or Items handle of the same folder shares them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/EventQueue.h"
#include "host/memory/StoredItem.h"

namespace skerrow {

struct StoredFolder {
  StoredFolder(std::u16string folderName, const std::shared_ptr<EventQueue>& queue);

  // A subfolder whose name equals `name` ignoring case (the client keeps
  // sibling names unique that way), or null.
  std::shared_ptr<StoredFolder> FindSubfolder(std::u16string_view name) const;
  bool RemoveItem(const StoredItem* item);

  std::u16string name;
  std::int32_t folderType = olk::kFolderDrafts;
  std::weak_ptr<StoredFolder> parent{};
  std::vector<std::shared_ptr<StoredFolder>> subfolders{};
  std::vector<StoredItemPtr> items{};
  EventQueue::SinkList subfolderSinks;  // FolderChange for the subfolders
  EventQueue::SinkList itemSinks;       // ItemAdd for this folder's items
};

using StoredFolderPtr = std::shared_ptr<StoredFolder>;

}  // namespace skerrow
