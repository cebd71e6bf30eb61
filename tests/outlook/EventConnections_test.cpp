#include "host/outlook/EventConnections.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/outlook/OutlookScene.h"

namespace skerrow {
namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

// Records each event as "<dispid> <what its first object is>".
class RecordingSink : public EventSink {
 public:
  void Invoke(EventInterface, std::int32_t dispId, const std::vector<DispatchPtr>& args) override {
    std::string entry = std::to_string(dispId);
    const DispatchPtr arg = args.empty() ? nullptr : args.front();
    if (arg && arg->AsMailItem()) entry += " mail " + Narrow(arg->AsMailItem()->Subject().value);
    if (arg && arg->AsFolder()) entry += " folder " + Narrow(arg->AsFolder()->Name().value);
    if (arg && arg->AsCommandBarButton()) entry += " button";
    if (arg && arg->AsTaskItem()) entry += " task";
    if (arg && arg->AsPropertyPages()) {
      entry += " pages";
      arg->AsPropertyPages()->Add(u"Tamsquill.PropPage", u"Skerrow");
    }
    entry += " of " + std::to_string(args.size());
    events.push_back(entry);
    if (reaction) reaction();
  }
  std::vector<std::string> events;
  std::function<void()> reaction;
};

class EventConnectionsTest : public OutlookScene {
 protected:
  ItemsPtr InboxItems() { return AdaptFolder(store.Inbox())->GetItems().value; }
  RecordingSink sink;
};

TEST_F(EventConnectionsTest, EveryEventOfTheRoutingTableReachesTheCoreWithItsObjects) {
  FolderPtr junk = store.AddFolder(u"Junk E-mail");
  store.SetMenuBar({ControlKind::Popup});
  ItemsPtr items = InboxItems();
  FoldersPtr folders = AdaptFolder(store.Root())->GetFolders().value;
  ASSERT_NE(Bars(), nullptr);
  CommandBarPtr bar = Bars()->Add(u"Tamsquill", olk::kBarTop, true).value;
  ASSERT_NE(bar, nullptr);
  DispatchPtr control = bar->Controls().value->Add(olk::kControlButton, true).value;
  ASSERT_NE(control, nullptr);
  CommandBarButtonPtr button = control->AsCommandBarButton();
  ASSERT_NE(button, nullptr);
  const Result<std::uint32_t> cookies[] = {
      items->Advise(EventInterface::ItemsEvents, &sink),
      folders->Advise(EventInterface::FoldersEvents, &sink),
      application->Advise(EventInterface::ApplicationEvents, &sink),
      button->Advise(EventInterface::CommandBarButtonEvents, &sink),
  };
  for (const auto& cookie : cookies) ASSERT_TRUE(cookie.ok()) << std::hex << cookie.status;

  store.Deliver(store.Inbox(), {.subject = u"New"});
  store.UserMove(store.AddMail(store.Inbox(), {.subject = u"Dragged"}), junk);
  store.Click(store.Buttons().front());
  store.FireReminder(store.MakeTask(u"Call", u""));
  store.FireOptionsPagesAdd();

  EXPECT_EQ(sink.events,
            (std::vector<std::string>{"61442 folder Inbox of 1",  // FolderChange 0xF002
                                      "61441 mail New of 1",      // ItemAdd 0xF001
                                      "61442 folder Inbox of 1", "61442 folder Junk E-mail of 1",
                                      "1 button of 1",        // Click, CancelDefault not an object
                                      "61444 task of 1",      // Reminder 0xF004
                                      "61445 pages of 1"}));  // OptionsPagesAdd 0xF005
  EXPECT_FALSE(outlook.CancelDefaultWritten());
  EXPECT_EQ(store.PagesAdded().size(), 1u);

  EXPECT_EQ(items->Unadvise(cookies[0].value), hr::kOk);
  EXPECT_EQ(folders->Unadvise(cookies[1].value), hr::kOk);
  EXPECT_EQ(application->Unadvise(cookies[2].value), hr::kOk);
  EXPECT_EQ(button->Unadvise(cookies[3].value), hr::kOk);
  EXPECT_EQ(outlook.Connections(), 0u);
  EXPECT_EQ(button->Unadvise(cookies[3].value), CONNECT_E_NOCONNECTION);
}

TEST_F(EventConnectionsTest, AfterUnadviseTheCoreSinkIsNeverCalledEvenIfTheClientKeepsTheSink) {
  ItemsPtr items = InboxItems();
  const std::uint32_t cookie = items->Advise(EventInterface::ItemsEvents, &sink).value;
  store.Faults().FailAlways("Items.Unadvise", hr::kFail);
  EXPECT_EQ(items->Unadvise(cookie), hr::kFail);
  ASSERT_EQ(outlook.Connections(), 1u) << "the client still holds the sink";
  store.DeliverNewMail({.subject = u"Late"});
  EXPECT_TRUE(sink.events.empty());
  store.Faults().ClearAll();
  items.reset();  // the adapter no longer knows the connection: the client keeps it
  store.DeliverNewMail({.subject = u"Later"});
  EXPECT_TRUE(sink.events.empty());
  ASSERT_EQ(outlook.Connections(), 1u);
  EXPECT_EQ(outlook::LiveEventSinks(), 1) << "until the client lets go of it";
}

TEST_F(EventConnectionsTest, AnAdapterThatGoesDisconnectsWhatIsStillConnected) {
  ItemsPtr items = InboxItems();
  ASSERT_TRUE(items->Advise(EventInterface::ItemsEvents, &sink).ok());
  items.reset();
  EXPECT_EQ(outlook.Connections(), 0u);
  store.DeliverNewMail({.subject = u"Unwatched"});
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(EventConnectionsTest, AnEventRaisedWhileAHandlerRunsWaitsUntilItReturns) {
  ItemsPtr items = InboxItems();
  const std::uint32_t cookie = items->Advise(EventInterface::ItemsEvents, &sink).value;
  bool nested = false;
  sink.reaction = [&] {
    if (nested) return;
    nested = true;
    outlook.CallSinksNow(dispid::kItemAdd);  // a modal loop lets the client in
    sink.events.push_back("handler returns");
  };
  store.DeliverNewMail({.subject = u"First"});
  EXPECT_EQ(sink.events,
            (std::vector<std::string>{"61441 mail First of 1", "handler returns", "61441 of 0"}));
  EXPECT_EQ(items->Unadvise(cookie), hr::kOk);
}

TEST_F(EventConnectionsTest, NothingAHandlerThrowsReachesTheClient) {
  ItemsPtr items = InboxItems();
  const std::uint32_t cookie = items->Advise(EventInterface::ItemsEvents, &sink).value;
  sink.reaction = [] { throw std::runtime_error("handler failed"); };
  store.DeliverNewMail({.subject = u"One"});
  store.DeliverNewMail({.subject = u"Two"});
  EXPECT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(items->Unadvise(cookie), hr::kOk);
}

TEST_F(EventConnectionsTest, ASourceWithoutTheEventRefusesTheSubscription) {
  ItemsPtr items = InboxItems();
  const Result<std::uint32_t> cookie = items->Advise(EventInterface::FoldersEvents, &sink);
  EXPECT_EQ(cookie.status, CONNECT_E_NOCONNECTION);
  EXPECT_EQ(items->Advise(EventInterface::ItemsEvents, nullptr).status, E_POINTER);
}

}  // namespace
}  // namespace skerrow
