// The office suite's command bars: the explorer's bars, one bar, its
// controls, buttons (raising Click) and popups (menus).
#pragma once

#include "host/outlook/EventConnections.h"
#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

class OutlookCommandBars : public CommandBars, public OutlookObject {
 public:
  using Face = CommandBars;
  OutlookCommandBars(Microsoft::WRL::ComPtr<IDispatch> object,
                     std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"CommandBars") {}

  // Add(Name, Position, MenuBar, Temporary) with MenuBar left out.
  Result<CommandBarPtr> Add(const std::u16string& name, std::int32_t position,
                            bool temporary) override;
  Result<CommandBarPtr> ActiveMenuBar() override;
};

class OutlookCommandBar : public CommandBar, public OutlookObject {
 public:
  using Face = CommandBar;
  OutlookCommandBar(Microsoft::WRL::ComPtr<IDispatch> object,
                    std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"CommandBar") {}

  Result<CommandBarControlsPtr> Controls() override;
  HResult SetVisible(bool visible) override { return Write(L"Visible", Variant::Flag(visible)); }
};

class OutlookCommandBarControls : public CommandBarControls, public OutlookObject {
 public:
  using Face = CommandBarControls;
  OutlookCommandBarControls(Microsoft::WRL::ComPtr<IDispatch> object,
                            std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"CommandBarControls") {}

  // Add(Type, Id, Parameter, Before, Temporary) with Id, Parameter and Before
  // left out.
  Result<DispatchPtr> Add(std::int32_t type, bool temporary) override;
  Result<DispatchPtr> Item(std::int32_t index) override;
};

// Raises Click (CommandBarButtonEvents).
class OutlookCommandBarButton : public CommandBarButton, public OutlookObject {
 public:
  using Face = CommandBarButton;
  OutlookCommandBarButton(Microsoft::WRL::ComPtr<IDispatch> object,
                          std::shared_ptr<OutlookSession> session);

  HResult SetStyle(std::int32_t style) override { return Write(L"Style", Variant::Int(style)); }
  HResult PasteFace() override { return Run(L"PasteFace"); }
  HResult SetCaption(const std::u16string& caption) override;
  HResult SetEnabled(bool enabled) override { return Write(L"Enabled", Variant::Flag(enabled)); }
  HResult SetVisible(bool visible) override { return Write(L"Visible", Variant::Flag(visible)); }
  HResult SetTooltipText(const std::u16string& text) override;
  HResult SetTag(const std::u16string& tag) override { return Write(L"Tag", Variant::Text(tag)); }
  Result<std::uint32_t> Advise(EventInterface iface, EventSink* sink) override;
  HResult Unadvise(std::uint32_t cookie) override;

 private:
  EventConnections connections_;
};

class OutlookCommandBarPopup : public CommandBarPopup, public OutlookObject {
 public:
  using Face = CommandBarPopup;
  OutlookCommandBarPopup(Microsoft::WRL::ComPtr<IDispatch> object,
                         std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"CommandBarPopup") {}

  Result<CommandBarControlsPtr> Controls() override;
};

}  // namespace skerrow::outlook
