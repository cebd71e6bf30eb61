// One entry of an address list of the in-memory store.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryAddressEntry : public AddressEntry {
 public:
  MemoryAddressEntry(std::shared_ptr<StoreState> state, StoredAddressEntry entry)
      : state_(std::move(state)), entry_(std::move(entry)) {}

  Result<std::u16string> Name() override {
    if (HResult failure = state_->faults.Check("AddressEntry.Name"); hr::Failed(failure)) {
      return Fail<std::u16string>(failure);
    }
    return Ok(entry_.name);
  }

  Result<std::u16string> Address() override {
    if (HResult failure = state_->faults.Check("AddressEntry.Address"); hr::Failed(failure)) {
      return Fail<std::u16string>(failure);
    }
    return Ok(entry_.address);
  }

 private:
  std::shared_ptr<StoreState> state_;
  StoredAddressEntry entry_;
};

}  // namespace skerrow
