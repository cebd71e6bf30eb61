// The part every item handle of the in-memory store shares: the stored item it
// stands for. Lets the store recognise its own items among DispatchPtrs.
#pragma once

#include <utility>

#include "host/memory/StoredItem.h"

namespace skerrow {

class StoredItemHandle {
 public:
  explicit StoredItemHandle(StoredItemPtr item) : item_(std::move(item)) {}
  virtual ~StoredItemHandle() = default;
  const StoredItemPtr& Record() const { return item_; }

  // The stored item behind a handle of this store, or null for anything else.
  static StoredItemPtr RecordOf(const DispatchPtr& object) {
    auto* handle = dynamic_cast<StoredItemHandle*>(object.get());
    return handle ? handle->item_ : nullptr;
  }

 protected:
  StoredItemPtr item_;
};

}  // namespace skerrow
