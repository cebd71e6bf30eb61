// Folders (MAPIFolder), a folder's subfolders and a folder's items.
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

class OutlookFolder : public OutlookAdapter<Folder> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<DispatchPtr> Parent() override;  // a folder, or the namespace above the top
  Result<FoldersPtr> GetFolders() override;
  Result<ItemsPtr> GetItems() override;
  Result<std::u16string> Name() override { return ReadText(L"Name"); }
  HResult SetName(const std::u16string& name) override;
};

// Raises FolderChange (FoldersEvents).
class OutlookFolders
    : public OutlookCollection<Folders, OutlookFolder, OutlookEventSource<Folders>> {
 public:
  using OutlookCollection::OutlookCollection;
  Result<FolderPtr> Add(const std::u16string& name, std::int32_t folderType) override;
};

// Raises ItemAdd (ItemsEvents). Restrict hands the filter text to the client
// as it is: the client's own filter language decides what matches.
class OutlookItems : public OutlookEventSource<Items> {
 public:
  using OutlookEventSource::OutlookEventSource;
  Result<std::int32_t> Count() override { return ReadInt(L"Count"); }
  Result<ItemsPtr> Restrict(const std::u16string& filter) override;
  Result<DispatchPtr> GetFirst() override;  // none past the end
  Result<DispatchPtr> GetNext() override;
};

}  // namespace skerrow::outlook
