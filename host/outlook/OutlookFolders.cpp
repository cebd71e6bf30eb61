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

Result<FolderPtr> OutlookFolders::Add(const std::u16string& name, std::int32_t folderType) {
  return ReadObject<OutlookFolder>(L"Add", Variant::Text(name), Variant::Int(folderType));
}

Result<ItemsPtr> OutlookItems::Restrict(const std::u16string& filter) {
  return ReadObject<OutlookItems>(L"Restrict", Variant::Text(filter));
}

Result<DispatchPtr> OutlookItems::GetFirst() {
  return ReadObject<OutlookObject>(L"GetFirst");
}

Result<DispatchPtr> OutlookItems::GetNext() {
  return ReadObject<OutlookObject>(L"GetNext");
}

}  // namespace skerrow::outlook
