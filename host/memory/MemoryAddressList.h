// One address list of the in-memory store, with the entries it had when the
// address lists were read.
#pragma once

#include <memory>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/MemoryAddressEntry.h"
#include "host/memory/MemoryIndexedCollection.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryAddressList : public AddressList {
 public:
  MemoryAddressList(std::shared_ptr<StoreState> state, StoredAddressList list)
      : state_(std::move(state)), list_(std::move(list)) {}

  Result<AddressEntriesPtr> GetAddressEntries() override {
    if (HResult failure = state_->faults.Check("AddressList.GetAddressEntries");
        hr::Failed(failure)) {
      return Fail<AddressEntriesPtr>(failure);
    }
    std::vector<AddressEntryPtr> entries;
    for (const auto& entry : list_.entries) {
      entries.push_back(std::make_shared<MemoryAddressEntry>(state_, entry));
    }
    return Ok<AddressEntriesPtr>(std::make_shared<MemoryAddressEntries>(
        state_, "AddressEntries.Count", "AddressEntries.Item", std::move(entries)));
  }

 private:
  std::shared_ptr<StoreState> state_;
  StoredAddressList list_;
};

}  // namespace skerrow
