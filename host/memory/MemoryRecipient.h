// One recipient of a mail item of the in-memory store.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryRecipient : public Recipient {
 public:
  MemoryRecipient(std::shared_ptr<StoreState> state, std::u16string address)
      : state_(std::move(state)), address_(std::move(address)) {}

  Result<std::u16string> Address() override {
    if (HResult failure = state_->faults.Check("Recipient.Address"); hr::Failed(failure)) {
      return Fail<std::u16string>(failure);
    }
    return Ok(address_);
  }

 private:
  std::shared_ptr<StoreState> state_;
  std::u16string address_;
};

}  // namespace skerrow
