// A dialog as a model that a real dialog or any other front end drives: the
// controls of a dialog resource by id, with their texts, check states,
// enabled states, edit texts and list entries. The model is the truth; a
// front end shows what it holds and reports what the user does:
//
//   dialog.Open();                     // controls built, members shown
//   dialog.SetEditText(239, "Spam");   // the user types
//   dialog.Click(202);                 // the user clicks a box or a button
//   dialog.Click(1);                   // Return: members taken, dialog ends
//   // or dialog.Close();              // close box: nothing is taken
//
// The subclasses hold the working copies (their members) and exchange them
// with the controls when the dialog opens and when it ends with Return; a
// dialog closed any other way leaves its members as they were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "options/DialogResources.h"

namespace skerrow {

// One check box of a dialog and the 32-bit switch member it shows.
template <class Members>
struct CheckExchange {
  int id;
  std::int32_t Members::*member;
};

class DialogModel {
 public:
  enum class State { NotOpen, Open, EndedWithReturn, Closed };

  explicit DialogModel(const DialogResource& resource) : resource_(resource) {}
  virtual ~DialogModel() = default;
  DialogModel(const DialogModel&) = delete;
  DialogModel& operator=(const DialogModel&) = delete;

  const DialogResource& Resource() const { return resource_; }
  State CurrentState() const { return state_; }
  bool IsOpen() const { return state_ == State::Open; }
  bool EndedWithReturn() const { return state_ == State::EndedWithReturn; }

  // Builds the controls from the resource and shows the members in them.
  void Open();
  // The user clicks a button or a check box (which toggles first). False
  // when the dialog is not open or the control is missing or disabled.
  bool Click(int id);
  // The close box or Escape: ends the dialog without taking the controls.
  void Close();

  // Controls. Reading a missing control gives an empty value; changing one
  // does nothing and answers false.
  bool HasControl(int id) const;
  std::string Text(int id) const;  // the resource text of the control
  bool IsChecked(int id) const;
  bool IsEnabled(int id) const;
  std::string EditText(int id) const;
  bool SetEditText(int id, std::string text);
  std::vector<std::string> ListEntries(int id) const;
  std::vector<std::size_t> SelectedListEntries(int id) const;
  bool SelectListEntry(int id, std::size_t index, bool selected);

 protected:
  // The subclass's exchange with the controls. Called by Open after the
  // controls are built, and by Return before the dialog ends.
  virtual void MembersToControls() = 0;
  virtual void ControlsToMembers() = 0;
  // Before the controls are built (the page takes its copies here).
  virtual void OnOpening() {}
  // After Open has shown the members.
  virtual void OnOpened() {}
  // Return was clicked, before the controls are taken.
  virtual void OnReturn() {}
  // Any other click on an enabled control (a check box already toggled).
  virtual void OnClicked(int /*id*/) {}

  // For the subclasses: the same operations without the user's rules.
  void SetChecked(int id, bool checked);
  void Enable(int id, bool enabled);
  // The list keeps the sorted list box's order: case-insensitive, and an
  // entry goes after those that compare equal to it.
  void AddListEntry(int id, std::string entry);
  void DeleteListEntry(int id, std::size_t index);

  // Check boxes exchanged with 32-bit switches (0 or 1 is written back).
  template <class Members, std::size_t N>
  void ChecksFromMembers(const Members& members, const CheckExchange<Members> (&table)[N]) {
    for (const auto& row : table) SetChecked(row.id, members.*row.member != 0);
  }
  template <class Members, std::size_t N>
  void ChecksToMembers(Members& members, const CheckExchange<Members> (&table)[N]) const {
    for (const auto& row : table) members.*row.member = IsChecked(row.id) ? 1 : 0;
  }

 private:
  struct Control {
    const ControlResource* resource = nullptr;
    bool checked = false;
    bool enabled = true;
    std::string editText;
    std::vector<std::string> entries;
    std::vector<bool> selected;
  };

  Control* Find(int id);
  const Control* Find(int id) const;
  Control* FindList(int id);
  const Control* FindList(int id) const;

  const DialogResource& resource_;
  State state_ = State::NotOpen;
  std::map<int, Control> controls_;
};

}  // namespace skerrow
