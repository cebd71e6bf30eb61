#include "host/maildir/StandInCommandBarButton.h"

#include "platform/Platform.h"

namespace skerrow::maildir {

StandInCommandBarButton::StandInCommandBarButton(std::shared_ptr<EventQueue> queue,
                                                 Clipboard* clipboard)
    : clipboard_(clipboard), clicks_(EventInterface::CommandBarButtonEvents, std::move(queue)) {}

HResult StandInCommandBarButton::SetStyle(std::int32_t value) {
  style = value;
  return hr::kOk;
}

HResult StandInCommandBarButton::PasteFace() {
  if (clipboard_ == nullptr) return hr::kOk;
  const std::optional<int> bitmap = clipboard_->Bitmap();
  if (!bitmap) return hr::kFail;  // nothing to paste: the clipboard holds no bitmap
  face = bitmap;
  return hr::kOk;
}

HResult StandInCommandBarButton::SetCaption(const std::u16string& value) {
  caption = value;
  return hr::kOk;
}

HResult StandInCommandBarButton::SetEnabled(bool value) {
  enabled = value;
  return hr::kOk;
}

HResult StandInCommandBarButton::SetVisible(bool value) {
  visible = value;
  return hr::kOk;
}

HResult StandInCommandBarButton::SetTooltipText(const std::u16string& value) {
  tooltipText = value;
  return hr::kOk;
}

HResult StandInCommandBarButton::SetTag(const std::u16string& value) {
  tag = value;
  return hr::kOk;
}

Result<std::uint32_t> StandInCommandBarButton::Advise(EventInterface iface, EventSink* sink) {
  return clicks_.Advise(iface, sink);
}

HResult StandInCommandBarButton::Unadvise(std::uint32_t cookie) {
  return clicks_.Unadvise(cookie);
}

void StandInCommandBarButton::Click() {
  clicks_.Raise(dispid::kClick, {shared_from_this()});
}

}  // namespace skerrow::maildir
