// The address lists of the namespace and their entries.
#pragma once

#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

class OutlookAddressEntry : public AddressEntry, public OutlookObject {
 public:
  using Face = AddressEntry;
  OutlookAddressEntry(Microsoft::WRL::ComPtr<IDispatch> object,
                      std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"AddressEntry") {}

  Result<std::u16string> Name() override { return ReadText(L"Name"); }
  Result<std::u16string> Address() override { return ReadText(L"Address"); }
};

class OutlookAddressEntries : public OutlookCollection<AddressEntries, OutlookAddressEntry> {
 public:
  OutlookAddressEntries(Microsoft::WRL::ComPtr<IDispatch> object,
                        std::shared_ptr<OutlookSession> session)
      : OutlookCollection(std::move(object), std::move(session), L"AddressEntries") {}
};

class OutlookAddressList : public AddressList, public OutlookObject {
 public:
  using Face = AddressList;
  OutlookAddressList(Microsoft::WRL::ComPtr<IDispatch> object,
                     std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"AddressList") {}

  Result<AddressEntriesPtr> GetAddressEntries() override {
    return ReadObject<OutlookAddressEntries>(L"AddressEntries");
  }
};

class OutlookAddressLists : public OutlookCollection<AddressLists, OutlookAddressList> {
 public:
  OutlookAddressLists(Microsoft::WRL::ComPtr<IDispatch> object,
                      std::shared_ptr<OutlookSession> session)
      : OutlookCollection(std::move(object), std::move(session), L"AddressLists") {}
};

}  // namespace skerrow::outlook
