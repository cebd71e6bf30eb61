// Folders (MAPIFolder), a folder's subfolders and a folder's items.
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

class OutlookFolder : public Folder, public OutlookObject {
 public:
  using Face = Folder;
  OutlookFolder(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"MAPIFolder") {}

  Result<DispatchPtr> Parent() override;  // a folder, or the namespace above the top
  Result<FoldersPtr> GetFolders() override;
  Result<ItemsPtr> GetItems() override;
  Result<std::u16string> Name() override { return ReadText(L"Name"); }
  HResult SetName(const std::u16string& name) override;
};

// Raises FolderChange (FoldersEvents).
class OutlookFolders : public OutlookCollection<Folders, OutlookFolder> {
 public:
  OutlookFolders(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session);

  Result<FolderPtr> Add(const std::u16string& name, std::int32_t folderType) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  EventConnections connections_;
};

// Raises ItemAdd (ItemsEvents). Restrict hands the filter text to the client
// as it is: the client's own filter language decides what matches.
class OutlookItems : public Items, public OutlookObject {
 public:
  using Face = Items;
  OutlookItems(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session);

  Result<std::int32_t> Count() override { return ReadInt(L"Count"); }
  Result<ItemsPtr> Restrict(const std::u16string& filter) override;
  Result<DispatchPtr> GetFirst() override;  // none past the end
  Result<DispatchPtr> GetNext() override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  EventConnections connections_;
};

}  // namespace skerrow::outlook
