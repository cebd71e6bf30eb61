// The address lists of the namespace and their entries.
#pragma once

#include "host/outlook/OutlookCollection.h"

namespace skerrow::outlook {

class OutlookAddressEntry : public OutlookAdapter<AddressEntry> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<std::u16string> Name() override { return ReadText(L"Name"); }
  Result<std::u16string> Address() override { return ReadText(L"Address"); }
};

using OutlookAddressEntries = OutlookCollection<AddressEntries, OutlookAddressEntry>;

class OutlookAddressList : public OutlookAdapter<AddressList> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<AddressEntriesPtr> GetAddressEntries() override {
    return ReadObject<OutlookAddressEntries>(L"AddressEntries");
  }
};

using OutlookAddressLists = OutlookCollection<AddressLists, OutlookAddressList>;

}  // namespace skerrow::outlook
