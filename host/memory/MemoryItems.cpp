#include "host/memory/MemoryItems.h"

#include <utility>

#include "host/SubjectFilter.h"
#include "host/memory/MemoryHandles.h"

namespace skerrow {

MemoryItems::MemoryItems(std::shared_ptr<StoreState> state, StoredFolderPtr folder)
    : state_(std::move(state)), folder_(std::move(folder)) {}

MemoryItems::MemoryItems(std::shared_ptr<StoreState> state, std::vector<StoredItemPtr> snapshot)
    : state_(std::move(state)), snapshot_(std::move(snapshot)) {}

const std::vector<StoredItemPtr>& MemoryItems::Members() const {
  return folder_ ? folder_->items : snapshot_;
}

EventQueue::SinkList& MemoryItems::Sinks() {
  if (folder_) return folder_->itemSinks;
  if (!ownSinks_) {
    ownSinks_ = std::make_unique<EventQueue::SinkList>(EventInterface::ItemsEvents, state_->queue);
  }
  return *ownSinks_;
}

Result<std::int32_t> MemoryItems::Count() {
  if (HResult failure = state_->faults.Check("Items.Count"); hr::Failed(failure)) {
    return Fail<std::int32_t>(failure);
  }
  return Ok(static_cast<std::int32_t>(Members().size()));
}

Result<ItemsPtr> MemoryItems::Restrict(const std::u16string& filter) {
  if (HResult failure = state_->faults.Check("Items.Restrict"); hr::Failed(failure)) {
    return Fail<ItemsPtr>(failure);
  }
  std::optional<SubjectFilter> parsed = SubjectFilter::Parse(filter);
  if (!parsed) return Fail<ItemsPtr>(hr::kInvalidArg);
  std::vector<StoredItemPtr> matching;
  for (const StoredItemPtr& item : Members()) {
    if (parsed->Matches(item->subject)) matching.push_back(item);
  }
  return Ok<ItemsPtr>(std::make_shared<MemoryItems>(state_, std::move(matching)));
}

Result<DispatchPtr> MemoryItems::At(std::size_t position) {
  const auto& members = Members();
  cursor_ = position + 1;
  if (position >= members.size()) {
    cursor_ = members.size();
    return Ok<DispatchPtr>(nullptr);
  }
  return Ok(MakeItemHandle(state_, members[position]));
}

Result<DispatchPtr> MemoryItems::GetFirst() {
  if (HResult failure = state_->faults.Check("Items.GetFirst"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  return At(0);
}

Result<DispatchPtr> MemoryItems::GetNext() {
  if (HResult failure = state_->faults.Check("Items.GetNext"); hr::Failed(failure)) {
    return Fail<DispatchPtr>(failure);
  }
  return At(cursor_);
}

Result<std::uint32_t> MemoryItems::Advise(EventInterface iface, EventSink* sink) {
  if (HResult failure = state_->faults.Check("Items.Advise"); hr::Failed(failure)) {
    return Fail<std::uint32_t>(failure);
  }
  return Sinks().Advise(iface, sink);
}

HResult MemoryItems::Unadvise(std::uint32_t cookie) {
  if (HResult failure = state_->faults.Check("Items.Unadvise"); hr::Failed(failure)) {
    return failure;
  }
  return Sinks().Unadvise(cookie);
}

}  // namespace skerrow
