// An item without a mail or task face, such as a meeting request: it sits in a
// folder, has a subject for Restrict, and answers empty to every face query.
#pragma once

#include <utility>

#include "host/MailHost.h"
#include "host/memory/StoredItemHandle.h"

namespace skerrow {

class MemoryPlainItem : public virtual Dispatch, public StoredItemHandle {
 public:
  explicit MemoryPlainItem(StoredItemPtr item) : StoredItemHandle(std::move(item)) {}
};

}  // namespace skerrow
