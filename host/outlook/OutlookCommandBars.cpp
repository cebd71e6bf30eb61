#include "host/outlook/OutlookCommandBars.h"

namespace skerrow::outlook {

Result<CommandBarPtr> OutlookCommandBars::Add(const std::u16string& name, std::int32_t position,
                                              bool temporary) {
  return ReadObject<OutlookCommandBar>(L"Add", Variant::Text(name), Variant::Int(position),
                                       Variant::Omitted(), Variant::Flag(temporary));
}

Result<CommandBarPtr> OutlookCommandBars::ActiveMenuBar() {
  return ReadObject<OutlookCommandBar>(L"ActiveMenuBar");
}

Result<CommandBarControlsPtr> OutlookCommandBar::Controls() {
  return ReadObject<OutlookCommandBarControls>(L"Controls");
}

Result<DispatchPtr> OutlookCommandBarControls::Add(std::int32_t type, bool temporary) {
  return ReadObject<OutlookObject>(L"Add", Variant::Int(type), Variant::Omitted(),
                                   Variant::Omitted(), Variant::Omitted(),
                                   Variant::Flag(temporary));
}

Result<DispatchPtr> OutlookCommandBarControls::Item(std::int32_t index) {
  return ReadObject<OutlookObject>(L"Item", Variant::Int(index));
}

HResult OutlookCommandBarButton::SetCaption(const std::u16string& caption) {
  return Write(L"Caption", Variant::Text(caption));
}

HResult OutlookCommandBarButton::SetTooltipText(const std::u16string& text) {
  return Write(L"TooltipText", Variant::Text(text));
}

Result<CommandBarControlsPtr> OutlookCommandBarPopup::Controls() {
  return ReadObject<OutlookCommandBarControls>(L"Controls");
}

}  // namespace skerrow::outlook
