// The items of a folder of the in-memory store, or the result of Restrict.
//
// A folder's Items are live: Count and the cursor see the folder as it is now,
// and ItemAdd (ItemsEvents) is raised for every item added to the folder;
// every Items handle of the same folder shares the subscriptions. A
// restricted Items is a snapshot: the items that matched at the call, in
// folder order, whatever happens to them later (a changed subject, a move);
// it has subscriptions of its own and raises nothing.
//
// GetFirst/GetNext walk with a cursor of this handle; past the end (or on an
// empty collection) they succeed with no item. GetNext before GetFirst
// starts at the first item.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryItems : public Items {
 public:
  MemoryItems(std::shared_ptr<StoreState> state, StoredFolderPtr folder);
  MemoryItems(std::shared_ptr<StoreState> state, std::vector<StoredItemPtr> snapshot);

  Result<std::int32_t> Count() override;
  // kInvalidArg when the filter does not parse.
  Result<ItemsPtr> Restrict(const std::u16string& filter) override;
  Result<DispatchPtr> GetFirst() override;
  Result<DispatchPtr> GetNext() override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  const std::vector<StoredItemPtr>& Members() const;
  Result<DispatchPtr> At(std::size_t position);
  EventQueue::SinkList& Sinks();

  std::shared_ptr<StoreState> state_;
  StoredFolderPtr folder_;               // live collections
  std::vector<StoredItemPtr> snapshot_;  // restricted collections
  std::unique_ptr<EventQueue::SinkList> ownSinks_;
  std::size_t cursor_ = 0;  // position of the next GetNext
};

}  // namespace skerrow
