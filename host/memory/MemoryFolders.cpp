#include "host/memory/MemoryFolders.h"

#include <utility>

#include "host/memory/MemoryHandles.h"

namespace skerrow {

MemoryFolders::MemoryFolders(std::shared_ptr<StoreState> state, StoredFolderPtr folder)
    : state_(std::move(state)), folder_(std::move(folder)) {}

Result<std::int32_t> MemoryFolders::Count() {
  if (HResult failure = state_->faults.Check("Folders.Count"); hr::Failed(failure)) {
    return Fail<std::int32_t>(failure);
  }
  return Ok(static_cast<std::int32_t>(folder_->subfolders.size()));
}

Result<FolderPtr> MemoryFolders::Item(std::int32_t index) {
  if (HResult failure = state_->faults.Check("Folders.Item"); hr::Failed(failure)) {
    return Fail<FolderPtr>(failure);
  }
  if (index < 1 || static_cast<std::size_t>(index) > folder_->subfolders.size()) {
    return Fail<FolderPtr>(hr::kInvalidArg);
  }
  return Ok(MakeFolderHandle(state_, folder_->subfolders[static_cast<std::size_t>(index) - 1]));
}

Result<FolderPtr> MemoryFolders::Add(const std::u16string& name, std::int32_t folderType) {
  if (HResult failure = state_->faults.Check("Folders.Add"); hr::Failed(failure)) {
    return Fail<FolderPtr>(failure);
  }
  if (name.empty()) return Fail<FolderPtr>(hr::kInvalidArg);
  if (folder_->FindSubfolder(name)) return Fail<FolderPtr>(hr::kFail);
  auto created = std::make_shared<StoredFolder>(name, state_->queue);
  created->folderType = folderType;
  created->parent = folder_;
  folder_->subfolders.push_back(created);
  return Ok(MakeFolderHandle(state_, created));
}

Result<std::uint32_t> MemoryFolders::Advise(EventInterface iface, EventSink* sink) {
  if (HResult failure = state_->faults.Check("Folders.Advise"); hr::Failed(failure)) {
    return Fail<std::uint32_t>(failure);
  }
  return folder_->subfolderSinks.Advise(iface, sink);
}

HResult MemoryFolders::Unadvise(std::uint32_t cookie) {
  if (HResult failure = state_->faults.Check("Folders.Unadvise"); hr::Failed(failure)) {
    return failure;
  }
  return folder_->subfolderSinks.Unadvise(cookie);
}

}  // namespace skerrow
