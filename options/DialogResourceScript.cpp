#include "options/DialogResourceScript.h"

#include <string_view>

namespace skerrow {

namespace {

// A resource-script string literal: quotes are doubled, backslashes escaped.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') {
      quoted += "\"\"";
    } else if (c == '\\') {
      quoted += "\\\\";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Rectangle(const ControlResource& control) {
  return std::to_string(control.x) + ", " + std::to_string(control.y) + ", " +
         std::to_string(control.width) + ", " + std::to_string(control.height);
}

std::string ControlLine(const ControlResource& c) {
  const std::string id = std::to_string(c.id);
  switch (c.kind) {
    case ControlKind::CheckBox:
      return "AUTOCHECKBOX " + Quoted(c.text) + ", " + id + ", " + Rectangle(c) + ", WS_TABSTOP";
    case ControlKind::Button:
      return "PUSHBUTTON " + Quoted(c.text) + ", " + id + ", " + Rectangle(c);
    case ControlKind::DefaultButton:
      return "DEFPUSHBUTTON " + Quoted(c.text) + ", " + id + ", " + Rectangle(c);
    case ControlKind::Edit:
      return "EDITTEXT " + id + ", " + Rectangle(c) + ", ES_AUTOHSCROLL";
    case ControlKind::SortedList:
      return "LISTBOX " + id + ", " + Rectangle(c) +
             ", LBS_SORT | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP";
    case ControlKind::Label:
      return "LTEXT " + Quoted(c.text) + ", " + id + ", " + Rectangle(c);
    case ControlKind::GroupBox:
      return "GROUPBOX " + Quoted(c.text) + ", " + id + ", " + Rectangle(c);
    case ControlKind::Icon:
      return "ICON " + std::to_string(c.iconResource) + ", " + id + ", " + Rectangle(c);
  }
  return {};
}

}  // namespace

std::string DialogResourceScript(const DialogResource& dialog) {
  std::string script = std::to_string(dialog.id) + " DIALOGEX 0, 0, " +
                       std::to_string(dialog.width) + ", " + std::to_string(dialog.height) + "\n";
  if (dialog.isChildPage) {
    script += "STYLE DS_SETFONT | DS_CONTROL | WS_CHILD\n";
  } else {
    script += "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n";
    script += "CAPTION " + Quoted(dialog.caption) + "\n";
  }
  script += "FONT 8, \"MS Sans Serif\"\nBEGIN\n";
  for (const ControlResource& control : dialog.controls) {
    script += "    " + ControlLine(control) + "\n";
  }
  return script + "END\n";
}

std::string DialogResourceScript(std::span<const DialogResource* const> dialogs) {
  std::string script;
  for (const DialogResource* dialog : dialogs) script += DialogResourceScript(*dialog) + "\n";
  return script;
}

}  // namespace skerrow
