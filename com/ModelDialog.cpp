#include "com/ModelDialog.h"

#include <string>
#include <vector>

#include "options/DialogModel.h"
#include "options/DialogResources.h"

namespace skerrow::com {

namespace {

std::string WindowText(HWND control) {
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// The list box sorts its entries its own way, so every entry carries its
// index in the model's list as item data.
void ShowList(HWND list, const DialogModel& model, int id) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const std::vector<std::string> entries = model.ListEntries(id);
  std::vector<bool> selected(entries.size(), false);
  for (std::size_t index : model.SelectedListEntries(id)) {
    if (index < selected.size()) selected[index] = true;
  }
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const LRESULT at =
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[index].c_str()));
    if (at < 0) continue;
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(index));
    SendMessageA(list, LB_SETSEL, selected[index] ? TRUE : FALSE, at);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void TakeListSelection(HWND list, DialogModel& model, int id) {
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT at = 0; at < count; ++at) {
    const LRESULT index = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
    if (index < 0) continue;
    const bool selected = SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(at), 0) > 0;
    model.SelectListEntry(id, static_cast<std::size_t>(index), selected);
  }
}

}  // namespace

void ModelDialog::Show(HWND dialog) const {
  for (const ControlResource& control : model_.Resource().controls) {
    if (control.id == kStaticId || !model_.HasControl(control.id)) continue;
    HWND window = GetDlgItem(dialog, control.id);
    if (window == nullptr) continue;
    EnableWindow(window, model_.IsEnabled(control.id) ? TRUE : FALSE);
    switch (control.kind) {
      case ControlKind::CheckBox:
        SendMessageA(window, BM_SETCHECK,
                     model_.IsChecked(control.id) ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case ControlKind::Edit: {
        const std::string text = model_.EditText(control.id);
        if (WindowText(window) != text) SetWindowTextA(window, text.c_str());
        break;
      }
      case ControlKind::SortedList:
        ShowList(window, model_, control.id);
        break;
      default:
        break;
    }
  }
}

void ModelDialog::Take(HWND dialog) {
  for (const ControlResource& control : model_.Resource().controls) {
    if (control.id == kStaticId) continue;
    HWND window = GetDlgItem(dialog, control.id);
    if (window == nullptr) continue;
    if (control.kind == ControlKind::Edit) {
      model_.SetEditText(control.id, WindowText(window));
    } else if (control.kind == ControlKind::SortedList) {
      TakeListSelection(window, model_, control.id);
    }
  }
}

bool ModelDialog::OnCommand(HWND dialog, int id, int notification) {
  if (id == IDCANCEL) {
    model_.Close();
    return true;
  }
  if (notification != BN_CLICKED || !model_.HasControl(id)) return false;
  Take(dialog);
  model_.Click(id);
  if (!model_.IsOpen()) return true;
  Show(dialog);
  return false;
}

}  // namespace skerrow::com
