// The application, its explorer and selection, and the "MAPI" namespace.
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

// _Application; raises OptionsPagesAdd and Reminder (ApplicationEvents).
class OutlookApplication : public OutlookEventSource<Application> {
 public:
  using OutlookEventSource::OutlookEventSource;
  Result<ExplorerPtr> ActiveExplorer() override;  // succeeds with none (Nothing)
  Result<NameSpacePtr> GetNamespace(const std::u16string& type) override;
};

class OutlookExplorer : public OutlookAdapter<Explorer> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<CommandBarsPtr> GetCommandBars() override;
  Result<FolderPtr> CurrentFolder() override;
  Result<SelectionPtr> GetSelection() override;
};

// The selected objects, which may be other than mail.
using OutlookSelection = OutlookCollection<Selection, OutlookObject>;

class OutlookNameSpace : public OutlookAdapter<NameSpace> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<FolderPtr> GetDefaultFolder(std::int32_t folderType) override;
  Result<AddressListsPtr> GetAddressLists() override;
};

}  // namespace skerrow::outlook
