#include "options/DialogModel.h"

#include <algorithm>

namespace skerrow {

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SortsBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
  });
}

}  // namespace

void DialogModel::Open() {
  OnOpening();
  controls_.clear();
  for (const ControlResource& resource : resource_.controls) {
    // Labels, frames and icons share one id and hold no state.
    if (resource.id == kStaticId) continue;
    controls_[resource.id].resource = &resource;
  }
  state_ = State::Open;
  MembersToControls();
  OnOpened();
}

bool DialogModel::Click(int id) {
  Control* control = Find(id);
  if (!IsOpen() || control == nullptr || !control->enabled) return false;
  if (id == ruleid::kReturn) {
    OnReturn();
    ControlsToMembers();
    state_ = State::EndedWithReturn;
    return true;
  }
  if (control->resource->kind == ControlKind::CheckBox) control->checked = !control->checked;
  OnClicked(id);
  return true;
}

void DialogModel::Close() {
  if (IsOpen()) state_ = State::Closed;
}

DialogModel::Control* DialogModel::Find(int id) {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

const DialogModel::Control* DialogModel::Find(int id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

DialogModel::Control* DialogModel::FindList(int id) {
  Control* control = Find(id);
  return control != nullptr && control->resource->kind == ControlKind::SortedList ? control
                                                                                  : nullptr;
}

const DialogModel::Control* DialogModel::FindList(int id) const {
  const Control* control = Find(id);
  return control != nullptr && control->resource->kind == ControlKind::SortedList ? control
                                                                                  : nullptr;
}

bool DialogModel::HasControl(int id) const {
  return Find(id) != nullptr;
}

std::string DialogModel::Text(int id) const {
  for (const ControlResource& resource : resource_.controls) {
    if (resource.id == id && id != kStaticId) return resource.text;
  }
  return {};
}

bool DialogModel::IsChecked(int id) const {
  const Control* control = Find(id);
  return control != nullptr && control->checked;
}

bool DialogModel::IsEnabled(int id) const {
  const Control* control = Find(id);
  return control != nullptr && control->enabled;
}

std::string DialogModel::EditText(int id) const {
  const Control* control = Find(id);
  return control == nullptr ? std::string() : control->editText;
}

bool DialogModel::SetEditText(int id, std::string text) {
  Control* control = Find(id);
  if (control == nullptr || control->resource->kind != ControlKind::Edit) return false;
  control->editText = std::move(text);
  return true;
}

std::vector<std::string> DialogModel::ListEntries(int id) const {
  const Control* control = FindList(id);
  return control == nullptr ? std::vector<std::string>{} : control->entries;
}

std::vector<std::size_t> DialogModel::SelectedListEntries(int id) const {
  std::vector<std::size_t> indexes;
  if (const Control* control = FindList(id)) {
    for (std::size_t i = 0; i < control->selected.size(); ++i) {
      if (control->selected[i]) indexes.push_back(i);
    }
  }
  return indexes;
}

bool DialogModel::SelectListEntry(int id, std::size_t index, bool selected) {
  Control* control = FindList(id);
  if (control == nullptr || index >= control->entries.size()) return false;
  control->selected[index] = selected;
  return true;
}

void DialogModel::SetChecked(int id, bool checked) {
  if (Control* control = Find(id)) control->checked = checked;
}

void DialogModel::Enable(int id, bool enabled) {
  if (Control* control = Find(id)) control->enabled = enabled;
}

void DialogModel::AddListEntry(int id, std::string entry) {
  Control* control = FindList(id);
  if (control == nullptr) return;
  auto place =
      std::upper_bound(control->entries.begin(), control->entries.end(), entry, SortsBefore);
  const auto index = place - control->entries.begin();
  control->entries.insert(place, std::move(entry));
  control->selected.insert(control->selected.begin() + index, false);
}

void DialogModel::DeleteListEntry(int id, std::size_t index) {
  Control* control = FindList(id);
  if (control == nullptr || index >= control->entries.size()) return;
  control->entries.erase(control->entries.begin() + static_cast<std::ptrdiff_t>(index));
  control->selected.erase(control->selected.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace skerrow
