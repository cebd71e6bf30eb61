// A fixed collection read by Count and a 1-based Item: the selection, an
// item's recipients and attachments, the address lists and their entries.
// The elements are taken when the collection is made.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

template <class Interface, class ElementPtr>
class MemoryIndexedCollection : public Interface {
 public:
  MemoryIndexedCollection(std::shared_ptr<StoreState> state, std::string_view countOperation,
                          std::string_view itemOperation, std::vector<ElementPtr> elements)
      : state_(std::move(state)),
        countOperation_(countOperation),
        itemOperation_(itemOperation),
        elements_(std::move(elements)) {}

  Result<std::int32_t> Count() override {
    if (HResult failure = state_->faults.Check(countOperation_); hr::Failed(failure)) {
      return Fail<std::int32_t>(failure);
    }
    return Ok(static_cast<std::int32_t>(elements_.size()));
  }

  Result<ElementPtr> Item(std::int32_t index) override {
    if (HResult failure = state_->faults.Check(itemOperation_); hr::Failed(failure)) {
      return Fail<ElementPtr>(failure);
    }
    if (index < 1 || static_cast<std::size_t>(index) > elements_.size()) {
      return Fail<ElementPtr>(hr::kInvalidArg);
    }
    return Ok(elements_[static_cast<std::size_t>(index) - 1]);
  }

 private:
  std::shared_ptr<StoreState> state_;
  std::string_view countOperation_;  // names from FaultSwitches' static list
  std::string_view itemOperation_;
  std::vector<ElementPtr> elements_;
};

using MemorySelection = MemoryIndexedCollection<Selection, DispatchPtr>;
using MemoryRecipients = MemoryIndexedCollection<Recipients, RecipientPtr>;
using MemoryAttachments = MemoryIndexedCollection<Attachments, AttachmentPtr>;
using MemoryAddressLists = MemoryIndexedCollection<AddressLists, AddressListPtr>;
using MemoryAddressEntries = MemoryIndexedCollection<AddressEntries, AddressEntryPtr>;

}  // namespace skerrow
