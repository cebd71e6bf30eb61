#include "host/outlook/OutlookApplication.h"

#include "host/outlook/OutlookAddressBook.h"
#include "host/outlook/OutlookCommandBars.h"
#include "host/outlook/OutlookFolders.h"

namespace skerrow::outlook {

Result<ExplorerPtr> OutlookApplication::ActiveExplorer() {
  return ReadObject<OutlookExplorer>(L"ActiveExplorer");
}

Result<NameSpacePtr> OutlookApplication::GetNamespace(const std::u16string& type) {
  return ReadObject<OutlookNameSpace>(L"GetNamespace", Variant::Text(type));
}

Result<CommandBarsPtr> OutlookExplorer::GetCommandBars() {
  return ReadObject<OutlookCommandBars>(L"CommandBars");
}

Result<FolderPtr> OutlookExplorer::CurrentFolder() {
  return ReadObject<OutlookFolder>(L"CurrentFolder");
}

Result<SelectionPtr> OutlookExplorer::GetSelection() {
  return ReadObject<OutlookSelection>(L"Selection");
}

Result<FolderPtr> OutlookNameSpace::GetDefaultFolder(std::int32_t folderType) {
  return ReadObject<OutlookFolder>(L"GetDefaultFolder", Variant::Int(folderType));
}

Result<AddressListsPtr> OutlookNameSpace::GetAddressLists() {
  return ReadObject<OutlookAddressLists>(L"AddressLists");
}

}  // namespace skerrow::outlook
