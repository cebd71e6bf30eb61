#include "host/EventQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace skerrow {
namespace {

// Records each call as "<name>:<dispId>" and runs an optional reaction.
class RecordingSink : public EventSink {
 public:
  RecordingSink(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}
  void Invoke(EventInterface, std::int32_t dispId, const std::vector<DispatchPtr>&) override {
    log_.push_back(name_ + ":" + std::to_string(dispId));
    if (reaction) reaction(dispId);
  }
  std::function<void(std::int32_t)> reaction;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class EventQueueTest : public ::testing::Test {
 protected:
  std::shared_ptr<EventQueue> queue = std::make_shared<EventQueue>();
  std::vector<std::string> log;
};

TEST_F(EventQueueTest, AnEventRaisedWhileNoHandlerRunsIsDeliveredAtOnce) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink sink("a", log);
  ASSERT_TRUE(items.Advise(EventInterface::ItemsEvents, &sink).ok());
  items.Raise(dispid::kItemAdd, {});
  EXPECT_EQ(log, (std::vector<std::string>{"a:61441"}));
  EXPECT_FALSE(queue->Delivering());
}

TEST_F(EventQueueTest, WhatAHandlerCausesIsDeliveredAfterItReturnsInOrder) {
  EventQueue::SinkList folders(EventInterface::FoldersEvents, queue);
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink folderSink("folders", log);
  RecordingSink itemSink("items", log);
  folders.Advise(EventInterface::FoldersEvents, &folderSink);
  items.Advise(EventInterface::ItemsEvents, &itemSink);
  itemSink.reaction = [&](std::int32_t dispId) {
    if (dispId != dispid::kItemAdd) return;
    folders.Raise(dispid::kFolderChange, {});
    folders.Raise(dispid::kFolderChange + 100, {});
    items.Raise(dispid::kItemAdd + 100, {});
    log.push_back("handler returns");
  };
  items.Raise(dispid::kItemAdd, {});
  EXPECT_EQ(log, (std::vector<std::string>{"items:61441", "handler returns", "folders:61442",
                                           "folders:61542", "items:61541"}));
}

TEST_F(EventQueueTest, EverySinkOfAnEventIsCalledBeforeTheEventsItCaused) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink first("first", log);
  RecordingSink second("second", log);
  items.Advise(EventInterface::ItemsEvents, &first);
  items.Advise(EventInterface::ItemsEvents, &second);
  first.reaction = [&](std::int32_t dispId) {
    if (dispId == 1) items.Raise(2, {});
  };
  items.Raise(1, {});
  EXPECT_EQ(log, (std::vector<std::string>{"first:1", "second:1", "first:2", "second:2"}));
}

TEST_F(EventQueueTest, ASinkRemovedDuringDeliveryIsNeverCalledAgain) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink first("first", log);
  RecordingSink second("second", log);
  items.Advise(EventInterface::ItemsEvents, &first);
  const std::uint32_t secondCookie = items.Advise(EventInterface::ItemsEvents, &second).value;
  first.reaction = [&](std::int32_t dispId) {
    if (dispId != 1) return;
    items.Raise(2, {});  // queued while second is still advised
    EXPECT_EQ(items.Unadvise(secondCookie), hr::kOk);
  };
  items.Raise(1, {});
  EXPECT_EQ(log, (std::vector<std::string>{"first:1", "first:2"}));
}

TEST_F(EventQueueTest, AQueuedEventOfADestroyedSourceIsDropped) {
  auto items = std::make_unique<EventQueue::SinkList>(EventInterface::ItemsEvents, queue);
  EventQueue::SinkList folders(EventInterface::FoldersEvents, queue);
  RecordingSink itemSink("items", log);
  RecordingSink folderSink("folders", log);
  items->Advise(EventInterface::ItemsEvents, &itemSink);
  folders.Advise(EventInterface::FoldersEvents, &folderSink);
  folderSink.reaction = [&](std::int32_t) {
    items->Raise(dispid::kItemAdd, {});
    items.reset();
  };
  folders.Raise(dispid::kFolderChange, {});
  EXPECT_EQ(log, (std::vector<std::string>{"folders:61442"}));
}

TEST_F(EventQueueTest, ABatchDeliversItsEventsTogetherAfterItEnds) {
  EventQueue::SinkList folders(EventInterface::FoldersEvents, queue);
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink folderSink("folders", log);
  RecordingSink itemSink("items", log);
  folders.Advise(EventInterface::FoldersEvents, &folderSink);
  items.Advise(EventInterface::ItemsEvents, &itemSink);
  // The first folder change causes another event; it must wait for the
  // batch's own item add.
  folderSink.reaction = [&](std::int32_t dispId) {
    if (dispId == 1) items.Raise(99, {});
  };
  {
    EventQueue::Batch batch(*queue);
    folders.Raise(1, {});
    folders.Raise(2, {});
    items.Raise(3, {});
    EXPECT_TRUE(log.empty());
  }
  EXPECT_EQ(log, (std::vector<std::string>{"folders:1", "folders:2", "items:3", "items:99"}));
}

TEST_F(EventQueueTest, SubscriptionMistakesAreReportedAsStatuses) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink sink("a", log);
  EXPECT_EQ(items.Advise(EventInterface::FoldersEvents, &sink).status, hr::kNoInterface);
  EXPECT_EQ(items.Advise(EventInterface::ItemsEvents, nullptr).status, hr::kPointer);
  const std::uint32_t cookie = items.Advise(EventInterface::ItemsEvents, &sink).value;
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(items.Unadvise(cookie), hr::kOk);
  EXPECT_EQ(items.Unadvise(cookie), EventQueue::kNoConnection);
  EXPECT_EQ(items.Unadvise(0), EventQueue::kNoConnection);
}

TEST_F(EventQueueTest, CookiesAreNotReusedAfterUnadvise) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  RecordingSink sink("a", log);
  const std::uint32_t first = items.Advise(EventInterface::ItemsEvents, &sink).value;
  items.Unadvise(first);
  EXPECT_NE(items.Advise(EventInterface::ItemsEvents, &sink).value, first);
}

TEST_F(EventQueueTest, EventArgumentsStayAliveUntilDelivered) {
  EventQueue::SinkList items(EventInterface::ItemsEvents, queue);
  EventQueue::SinkList folders(EventInterface::FoldersEvents, queue);
  std::weak_ptr<Dispatch> watched;
  bool argumentAlive = false;
  class ArgSink : public EventSink {
   public:
    explicit ArgSink(bool& alive) : alive_(alive) {}
    void Invoke(EventInterface, std::int32_t, const std::vector<DispatchPtr>& args) override {
      alive_ = args.size() == 1 && args[0] != nullptr;
    }

   private:
    bool& alive_;
  } itemSink(argumentAlive);
  RecordingSink folderSink("folders", log);
  items.Advise(EventInterface::ItemsEvents, &itemSink);
  folders.Advise(EventInterface::FoldersEvents, &folderSink);
  folderSink.reaction = [&](std::int32_t) {
    auto item = std::make_shared<Dispatch>();
    watched = item;
    items.Raise(dispid::kItemAdd, {item});
  };
  folders.Raise(dispid::kFolderChange, {});
  EXPECT_TRUE(argumentAlive);
  EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace skerrow
