#include "host/EventQueue.h"

#include <algorithm>

namespace skerrow {

namespace {

// Clears the delivering flag however the drain ends, so that one faulty
// handler cannot leave the queue believing a handler still runs.
class DeliveringScope {
 public:
  explicit DeliveringScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~DeliveringScope() { flag_ = false; }
  DeliveringScope(const DeliveringScope&) = delete;
  DeliveringScope& operator=(const DeliveringScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void EventQueue::Raise(Delivery delivery) {
  pending_.push_back(std::move(delivery));
  Drain();
}

void EventQueue::Drain() {
  if (delivering_ || holding_ > 0) return;
  DeliveringScope scope(delivering_);
  while (!pending_.empty()) {
    Delivery next = std::move(pending_.front());
    pending_.pop_front();
    if (next) next();
  }
}

EventQueue::SinkList::SinkList(EventInterface iface, std::shared_ptr<EventQueue> queue)
    : iface_(iface), queue_(std::move(queue)) {}

Result<std::uint32_t> EventQueue::SinkList::Advise(EventInterface iface, EventSink* sink) {
  if (iface != iface_) return Fail<std::uint32_t>(hr::kNoInterface);
  if (sink == nullptr) return Fail<std::uint32_t>(hr::kPointer);
  const std::uint32_t cookie = nextCookie_++;
  entries_->push_back({cookie, sink});
  return Ok(cookie);
}

HResult EventQueue::SinkList::Unadvise(std::uint32_t cookie) {
  auto found = std::find_if(entries_->begin(), entries_->end(),
                            [cookie](const Entry& entry) { return entry.cookie == cookie; });
  if (found == entries_->end()) return kNoConnection;
  entries_->erase(found);
  return hr::kOk;
}

void EventQueue::SinkList::Raise(std::int32_t dispId, std::vector<DispatchPtr> args) {
  std::weak_ptr<Entries> entries = entries_;
  EventInterface iface = iface_;
  queue_->Raise(
      [entries, iface, dispId, args = std::move(args)] { Deliver(entries, iface, dispId, args); });
}

void EventQueue::SinkList::Deliver(const std::weak_ptr<Entries>& weakEntries, EventInterface iface,
                                   std::int32_t dispId, const std::vector<DispatchPtr>& args) {
  // A handler may unadvise itself or others, or advise new sinks, so walk a
  // copy of the cookies and look each one up again just before its call.
  std::vector<std::uint32_t> cookies;
  if (auto entries = weakEntries.lock()) {
    for (const Entry& entry : *entries) cookies.push_back(entry.cookie);
  }
  for (std::uint32_t cookie : cookies) {
    auto entries = weakEntries.lock();
    if (!entries) return;  // the source went away inside a handler
    auto found = std::find_if(entries->begin(), entries->end(),
                              [cookie](const Entry& entry) { return entry.cookie == cookie; });
    if (found == entries->end()) continue;
    EventSink* sink = found->sink;
    entries.reset();
    sink->Invoke(iface, dispId, args);
  }
}

}  // namespace skerrow
