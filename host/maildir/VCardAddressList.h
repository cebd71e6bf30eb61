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
  explicit VCardAddressList(std::vector<VCardEntry> entries) {
    std::vector<AddressEntryPtr> made;
    made.reserve(entries.size());
    for (VCardEntry& entry : entries) {
      made.push_back(std::make_shared<VCardAddressEntry>(std::move(entry)));
    }
    entries_ = std::make_shared<FixedCollection<AddressEntries, AddressEntry>>(std::move(made));
  }

  // The same fixed collection every time: the list does not change.
  Result<AddressEntriesPtr> GetAddressEntries() override { return Ok(entries_); }

 private:
  AddressEntriesPtr entries_;
};

}  // namespace skerrow::maildir
