// Command bars and their controls as the in-memory store keeps them. Buttons
// record every property written, in order, besides their current values.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/EventQueue.h"

namespace skerrow {

enum class ControlKind {
  Button,  // msoControlButton (1)
  Popup,   // msoControlPopup (10): a menu with controls of its own
  Other,   // any other control type: neither a button nor a popup
};

inline constexpr std::int32_t kControlPopupType = 10;  // msoControlPopup

struct StoredControl;
using StoredControlList = std::vector<std::shared_ptr<StoredControl>>;

struct StoredControl {
  StoredControl(ControlKind controlKind, const std::shared_ptr<EventQueue>& queue)
      : kind(controlKind), clickSinks(EventInterface::CommandBarButtonEvents, queue) {}

  ControlKind kind;
  bool temporary = false;
  std::u16string caption{};  // also the popup menu's title
  std::u16string tooltipText{};
  std::u16string tag{};
  std::int32_t style = 0;
  bool enabled = true;
  bool visible = true;
  std::optional<int> face{};  // the bitmap resource PasteFace took
  // Every successful property write, as "Name=value" ("Caption=Mark",
  // "Visible=true", "Style=3", "PasteFace=208").
  std::vector<std::u16string> propertyLog{};
  std::shared_ptr<StoredControlList> controls = std::make_shared<StoredControlList>();  // popups
  EventQueue::SinkList clickSinks;
};

struct StoredCommandBar {
  std::u16string name{};
  std::int32_t position = 0;
  bool temporary = false;
  bool visible = false;  // a new bar is hidden until shown
  int visibleWrites = 0;
  std::shared_ptr<StoredControlList> controls = std::make_shared<StoredControlList>();
};

}  // namespace skerrow
