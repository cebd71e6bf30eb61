// The mail client's event rules as reusable machinery for every store.
//
// One EventQueue serves a whole store: events are delivered on the calling
// thread, one at a time. Raising an event while no handler runs delivers it at
// once and then delivers, in order, whatever the handlers caused; raising one
// while a handler runs queues it behind the others. Single thread, no locks.
//
// Each event source owns an EventQueue::SinkList: the sinks advised on it with
// their cookies. A sink removed (even from inside a handler) is never called
// again, also not for an event that was already queued.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/Result.h"
#include "host/MailHost.h"

namespace skerrow {

class EventQueue {
 public:
  // Unadvise with a cookie this source never gave out or already took back
  // (the connection point's "no such connection").
  static constexpr HResult kNoConnection = static_cast<HResult>(0x80040200u);

  using Delivery = std::function<void()>;

  EventQueue() = default;
  EventQueue(const EventQueue&) = delete;
  EventQueue& operator=(const EventQueue&) = delete;

  // Delivers now (and then everything queued meanwhile) unless a delivery is
  // running, in which case the event waits its turn.
  void Raise(Delivery delivery);

  // True while a handler runs.
  bool Delivering() const { return delivering_; }
  std::size_t Pending() const { return pending_.size(); }

  // Holds delivery while it lives, so that the events of one operation (a
  // move's folder changes and its item add) are queued together and no
  // handler of the first runs before the last is raised. Delivery starts
  // when the outermost batch ends, unless a handler is running.
  class Batch {
   public:
    explicit Batch(EventQueue& queue) : queue_(queue) { ++queue_.holding_; }
    ~Batch() {
      --queue_.holding_;
      queue_.Drain();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    EventQueue& queue_;
  };

  // The subscriptions of one event source for one interface.
  class SinkList {
   public:
    SinkList(EventInterface iface, std::shared_ptr<EventQueue> queue);
    SinkList(const SinkList&) = delete;
    SinkList& operator=(const SinkList&) = delete;

    // Cookies start at 1 and are never reused. Fails with kNoInterface for
    // another interface and kPointer for a null sink.
    Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink);
    HResult Unadvise(std::uint32_t cookie);

    // Raises the event through the queue. The sinks called are the ones
    // advised when the event is delivered; the args are kept alive until then.
    // An event still queued when the source is destroyed is dropped.
    void Raise(std::int32_t dispId, std::vector<DispatchPtr> args);

    std::size_t Count() const { return entries_->size(); }
    EventInterface Interface() const { return iface_; }

   private:
    struct Entry {
      std::uint32_t cookie;
      EventSink* sink;
    };
    using Entries = std::vector<Entry>;

    static void Deliver(const std::weak_ptr<Entries>& entries, EventInterface iface,
                        std::int32_t dispId, const std::vector<DispatchPtr>& args);

    EventInterface iface_;
    std::shared_ptr<EventQueue> queue_;
    std::shared_ptr<Entries> entries_ = std::make_shared<Entries>();
    std::uint32_t nextCookie_ = 1;
  };

 private:
  void Drain();

  std::deque<Delivery> pending_;
  bool delivering_ = false;
  int holding_ = 0;
};

}  // namespace skerrow
