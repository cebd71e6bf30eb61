#include "host/memory/StoredFolder.h"

#include <algorithm>

#include "host/SubjectFilter.h"

namespace skerrow {

StoredFolder::StoredFolder(std::u16string folderName, const std::shared_ptr<EventQueue>& queue)
    : name(std::move(folderName)),
      subfolderSinks(EventInterface::FoldersEvents, queue),
      itemSinks(EventInterface::ItemsEvents, queue) {}

std::shared_ptr<StoredFolder> StoredFolder::FindSubfolder(std::u16string_view wanted) const {
  for (const auto& folder : subfolders) {
    if (folder->name.size() == wanted.size() && SubjectFilter::Compare(folder->name, wanted) == 0) {
      return folder;
    }
  }
  return nullptr;
}

bool StoredFolder::RemoveItem(const StoredItem* item) {
  auto found = std::find_if(items.begin(), items.end(), [item](const StoredItemPtr& candidate) {
    return candidate.get() == item;
  });
  if (found == items.end()) return false;
  items.erase(found);
  return true;
}

}  // namespace skerrow
