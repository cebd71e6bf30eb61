// A command bar button without a user interface: it records what the add-in
// sets on it and raises Click when the command line presses it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/EventQueue.h"
#include "host/MailHost.h"

namespace skerrow {
class Clipboard;
}

namespace skerrow::maildir {

class StandInCommandBarButton final : public CommandBarButton,
                                      public std::enable_shared_from_this<StandInCommandBarButton> {
 public:
  // clipboard: where PasteFace takes the face from; without one any paste
  // succeeds and records no face.
  StandInCommandBarButton(std::shared_ptr<EventQueue> queue, Clipboard* clipboard);

  CommandBarButtonPtr AsCommandBarButton() override { return shared_from_this(); }

  HResult SetStyle(std::int32_t style) override;
  HResult PasteFace() override;
  HResult SetCaption(const std::u16string& caption) override;
  HResult SetEnabled(bool enabled) override;
  HResult SetVisible(bool visible) override;
  HResult SetTooltipText(const std::u16string& text) override;
  HResult SetTag(const std::u16string& tag) override;

  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

  // Raises Click with the button as its control.
  void Click();

  std::int32_t style = 0;
  std::optional<int> face;  // the bitmap resource pasted
  std::u16string caption;
  std::u16string tooltipText;
  std::u16string tag;
  bool enabled = true;
  bool visible = true;
  std::size_t Subscribers() const { return clicks_.Count(); }

 private:
  Clipboard* clipboard_;
  EventQueue::SinkList clicks_;
};

}  // namespace skerrow::maildir
