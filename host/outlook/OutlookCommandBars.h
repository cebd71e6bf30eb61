// The office suite's command bars: the explorer's bars, one bar, its
// controls, buttons (raising Click) and popups (menus).
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

class OutlookCommandBars : public OutlookAdapter<CommandBars> {
 public:
  using OutlookAdapter::OutlookAdapter;
  // Add(Name, Position, MenuBar, Temporary) with MenuBar left out.
  Result<CommandBarPtr> Add(const std::u16string& name, std::int32_t position,
                            bool temporary) override;
  Result<CommandBarPtr> ActiveMenuBar() override;
};

class OutlookCommandBar : public OutlookAdapter<CommandBar> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<CommandBarControlsPtr> Controls() override;
  HResult SetVisible(bool visible) override { return Write(L"Visible", Variant::Flag(visible)); }
};

class OutlookCommandBarControls : public OutlookAdapter<CommandBarControls> {
 public:
  using OutlookAdapter::OutlookAdapter;
  // Add(Type, Id, Parameter, Before, Temporary) with Id, Parameter and Before
  // left out.
  Result<DispatchPtr> Add(std::int32_t type, bool temporary) override;
  Result<DispatchPtr> Item(std::int32_t index) override;
};

// Raises Click (CommandBarButtonEvents).
class OutlookCommandBarButton : public OutlookEventSource<CommandBarButton> {
 public:
  using OutlookEventSource::OutlookEventSource;
  HResult SetStyle(std::int32_t style) override { return Write(L"Style", Variant::Int(style)); }
  HResult PasteFace() override { return Run(L"PasteFace"); }
  HResult SetCaption(const std::u16string& caption) override;
  HResult SetEnabled(bool enabled) override { return Write(L"Enabled", Variant::Flag(enabled)); }
  HResult SetVisible(bool visible) override { return Write(L"Visible", Variant::Flag(visible)); }
  HResult SetTooltipText(const std::u16string& text) override;
  HResult SetTag(const std::u16string& tag) override { return Write(L"Tag", Variant::Text(tag)); }
};

class OutlookCommandBarPopup : public OutlookAdapter<CommandBarPopup> {
 public:
  using OutlookAdapter::OutlookAdapter;
  Result<CommandBarControlsPtr> Controls() override;
};

}  // namespace skerrow::outlook
