#include "host/outlook/OutlookApplication.h"

#include "host/outlook/OutlookAddressBook.h"
#include "host/outlook/OutlookCommandBars.h"
#include "host/outlook/OutlookFolders.h"

namespace skerrow::outlook {

OutlookApplication::OutlookApplication(Microsoft::WRL::ComPtr<IDispatch> object,
                                       std::shared_ptr<OutlookSession> session)
    : OutlookObject(std::move(object), session, L"Application"), connections_(std::move(session)) {}

Result<ExplorerPtr> OutlookApplication::ActiveExplorer() {
  return ReadObject<OutlookExplorer>(L"ActiveExplorer");
}

Result<NameSpacePtr> OutlookApplication::GetNamespace(const std::u16string& type) {
  return ReadObject<OutlookNameSpace>(L"GetNamespace", Variant::Text(type));
}

Result<std::uint32_t> OutlookApplication::Advise(EventInterface iface, EventSink* sink) {
  return connections_.Advise(*Interface(), iface, sink);
}

HResult OutlookApplication::Unadvise(std::uint32_t cookie) {
  return connections_.Unadvise(cookie);
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
