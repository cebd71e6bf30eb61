// A button or menu item of the in-memory store. Every successful property
// write is recorded on the stored control; Click is raised by MemoryStore.
#pragma once

#include <memory>
#include <string>

#include "host/MailHost.h"
#include "host/memory/StoreState.h"

namespace skerrow {

class MemoryCommandBarButton : public CommandBarButton,
                               public std::enable_shared_from_this<MemoryCommandBarButton> {
 public:
  MemoryCommandBarButton(std::shared_ptr<StoreState> state, std::shared_ptr<StoredControl> control);

  CommandBarButtonPtr AsCommandBarButton() override { return shared_from_this(); }

  HResult SetStyle(std::int32_t style) override;
  // Takes the bitmap from the store's clipboard; kFail when there is no
  // clipboard or it holds no bitmap.
  HResult PasteFace() override;
  HResult SetCaption(const std::u16string& caption) override;
  HResult SetEnabled(bool enabled) override;
  HResult SetVisible(bool visible) override;
  HResult SetTooltipText(const std::u16string& text) override;
  HResult SetTag(const std::u16string& tag) override;
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

  const std::shared_ptr<StoredControl>& Record() const { return control_; }

 private:
  HResult Check(const char* operation);
  void Log(std::u16string_view property, std::u16string_view value);

  std::shared_ptr<StoreState> state_;
  std::shared_ptr<StoredControl> control_;
};

}  // namespace skerrow
