#include "host/outlook/OutlookFolders.h"

namespace skerrow::outlook {

Result<DispatchPtr> OutlookFolder::Parent() {
  return ReadObject<OutlookObject>(L"Parent");
}

Result<FoldersPtr> OutlookFolder::GetFolders() {
  return ReadObject<OutlookFolders>(L"Folders");
}

Result<ItemsPtr> OutlookFolder::GetItems() {
  return ReadObject<OutlookItems>(L"Items");
}

HResult OutlookFolder::SetName(const std::u16string& name) {
  return Write(L"Name", Variant::Text(name));
}

OutlookFolders::OutlookFolders(Microsoft::WRL::ComPtr<IDispatch> object,
                               std::shared_ptr<OutlookSession> session)
    : OutlookCollection(std::move(object), session, L"Folders"), connections_(std::move(session)) {}

Result<FolderPtr> OutlookFolders::Add(const std::u16string& name, std::int32_t folderType) {
  return ReadObject<OutlookFolder>(L"Add", Variant::Text(name), Variant::Int(folderType));
}

Result<std::uint32_t> OutlookFolders::Advise(EventInterface iface, EventSink* sink) {
  return connections_.Advise(*Interface(), iface, sink);
}

HResult OutlookFolders::Unadvise(std::uint32_t cookie) {
  return connections_.Unadvise(cookie);
}

OutlookItems::OutlookItems(Microsoft::WRL::ComPtr<IDispatch> object,
                           std::shared_ptr<OutlookSession> session)
    : OutlookObject(std::move(object), session, L"Items"), connections_(std::move(session)) {}

Result<ItemsPtr> OutlookItems::Restrict(const std::u16string& filter) {
  return ReadObject<OutlookItems>(L"Restrict", Variant::Text(filter));
}

Result<DispatchPtr> OutlookItems::GetFirst() {
  return ReadObject<OutlookObject>(L"GetFirst");
}

Result<DispatchPtr> OutlookItems::GetNext() {
  return ReadObject<OutlookObject>(L"GetNext");
}

Result<std::uint32_t> OutlookItems::Advise(EventInterface iface, EventSink* sink) {
  return connections_.Advise(*Interface(), iface, sink);
}

HResult OutlookItems::Unadvise(std::uint32_t cookie) {
  return connections_.Unadvise(cookie);
}

}  // namespace skerrow::outlook
