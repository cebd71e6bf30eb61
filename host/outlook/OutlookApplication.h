// The application, its explorer and selection, and the "MAPI" namespace.
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

// _Application; raises OptionsPagesAdd and Reminder (ApplicationEvents).
class OutlookApplication : public Application, public OutlookObject {
 public:
  using Face = Application;
  OutlookApplication(Microsoft::WRL::ComPtr<IDispatch> object,
                     std::shared_ptr<OutlookSession> session);

  Result<ExplorerPtr> ActiveExplorer() override;  // succeeds with none (Nothing)
  Result<NameSpacePtr> GetNamespace(const std::u16string& type) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  EventConnections connections_;
};

class OutlookExplorer : public Explorer, public OutlookObject {
 public:
  using Face = Explorer;
  OutlookExplorer(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"Explorer") {}

  Result<CommandBarsPtr> GetCommandBars() override;
  Result<FolderPtr> CurrentFolder() override;
  Result<SelectionPtr> GetSelection() override;
};

// The selected objects, which may be other than mail.
class OutlookSelection : public OutlookCollection<Selection, OutlookObject> {
 public:
  OutlookSelection(Microsoft::WRL::ComPtr<IDispatch> object,
                   std::shared_ptr<OutlookSession> session)
      : OutlookCollection(std::move(object), std::move(session), L"Selection") {}
};

class OutlookNameSpace : public NameSpace, public OutlookObject {
 public:
  using Face = NameSpace;
  OutlookNameSpace(Microsoft::WRL::ComPtr<IDispatch> object,
                   std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"NameSpace") {}

  Result<FolderPtr> GetDefaultFolder(std::int32_t folderType) override;
  Result<AddressListsPtr> GetAddressLists() override;
};

}  // namespace skerrow::outlook
