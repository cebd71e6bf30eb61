#include "host/memory/MemoryCommandBarButton.h"

#include <string>
#include <utility>

namespace skerrow {

namespace {

std::u16string Decimal(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string_view Flag(bool value) {
  return value ? u"true" : u"false";
}

}  // namespace

MemoryCommandBarButton::MemoryCommandBarButton(std::shared_ptr<StoreState> state,
                                               std::shared_ptr<StoredControl> control)
    : state_(std::move(state)), control_(std::move(control)) {}

HResult MemoryCommandBarButton::Check(const char* operation) {
  return state_->faults.Check(operation);
}

void MemoryCommandBarButton::Log(std::u16string_view property, std::u16string_view value) {
  std::u16string entry(property);
  entry += u'=';
  entry += value;
  control_->propertyLog.push_back(std::move(entry));
}

HResult MemoryCommandBarButton::SetStyle(std::int32_t style) {
  if (HResult failure = Check("CommandBarButton.SetStyle"); hr::Failed(failure)) return failure;
  control_->style = style;
  Log(u"Style", Decimal(style));
  return hr::kOk;
}

HResult MemoryCommandBarButton::PasteFace() {
  if (HResult failure = Check("CommandBarButton.PasteFace"); hr::Failed(failure)) return failure;
  if (state_->clipboard == nullptr) return hr::kFail;
  std::optional<int> bitmap = state_->clipboard->Bitmap();
  if (!bitmap) return hr::kFail;
  control_->face = *bitmap;
  Log(u"PasteFace", Decimal(*bitmap));
  return hr::kOk;
}

HResult MemoryCommandBarButton::SetCaption(const std::u16string& caption) {
  if (HResult failure = Check("CommandBarButton.SetCaption"); hr::Failed(failure)) return failure;
  control_->caption = caption;
  Log(u"Caption", caption);
  return hr::kOk;
}

HResult MemoryCommandBarButton::SetEnabled(bool enabled) {
  if (HResult failure = Check("CommandBarButton.SetEnabled"); hr::Failed(failure)) return failure;
  control_->enabled = enabled;
  Log(u"Enabled", Flag(enabled));
  return hr::kOk;
}

HResult MemoryCommandBarButton::SetVisible(bool visible) {
  if (HResult failure = Check("CommandBarButton.SetVisible"); hr::Failed(failure)) return failure;
  control_->visible = visible;
  Log(u"Visible", Flag(visible));
  return hr::kOk;
}

HResult MemoryCommandBarButton::SetTooltipText(const std::u16string& text) {
  if (HResult failure = Check("CommandBarButton.SetTooltipText"); hr::Failed(failure)) {
    return failure;
  }
  control_->tooltipText = text;
  Log(u"TooltipText", text);
  return hr::kOk;
}

HResult MemoryCommandBarButton::SetTag(const std::u16string& tag) {
  if (HResult failure = Check("CommandBarButton.SetTag"); hr::Failed(failure)) return failure;
  control_->tag = tag;
  Log(u"Tag", tag);
  return hr::kOk;
}

Result<std::uint32_t> MemoryCommandBarButton::Advise(EventInterface iface, EventSink* sink) {
  if (HResult failure = Check("CommandBarButton.Advise"); hr::Failed(failure)) {
    return Fail<std::uint32_t>(failure);
  }
  return control_->clickSinks.Advise(iface, sink);
}

HResult MemoryCommandBarButton::Unadvise(std::uint32_t cookie) {
  if (HResult failure = Check("CommandBarButton.Unadvise"); hr::Failed(failure)) return failure;
  return control_->clickSinks.Unadvise(cookie);
}

}  // namespace skerrow
