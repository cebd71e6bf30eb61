// An address list: the entries of one vCard file of the prefix's contacts/
// folder, as read when the list was asked for.
#pragma once

#include <memory>
#include <vector>

#include "host/MailHost.h"
#include "host/maildir/FixedCollection.h"
#include "host/maildir/VCardAddressEntry.h"

namespace skerrow::maildir {

class VCardAddressList final : public AddressList {
 public:
  explicit VCardAddressList(const std::vector<VCardEntry>& entries) {
    for (const VCardEntry& entry : entries) {
      entries_.push_back(std::make_shared<VCardAddressEntry>(entry));
    }
  }

  Result<AddressEntriesPtr> GetAddressEntries() override {
    return Ok<AddressEntriesPtr>(
        std::make_shared<FixedCollection<AddressEntries, AddressEntry>>(entries_));
  }

 private:
  std::vector<AddressEntryPtr> entries_;
};

}  // namespace skerrow::maildir
