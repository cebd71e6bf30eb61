// Validation Rules (resource 205): the valid-text list and where it is
// looked for, and the address-book switch. Its switch members are the page's
// working copies of these options; the list itself belongs to the running
// add-in's word statistics and is edited there:
// - opening fills the list box with the current list;
// - Add puts the edit text into the list box (an empty text too) and empties
//   the edit field;
// - Remove takes each selected entry out of the list at once;
// - Return replaces the whole list with the list box's entries.
// Closed any other way, the additions are dropped and the removals stay.
// Without a current add-in the list box starts empty and nothing is written.
#pragma once

#include <cstdint>
#include <functional>

#include "options/DialogModel.h"
#include "options/OptionsPageTarget.h"

namespace skerrow {

struct FilterOptions;

class CValidationDlg : public DialogModel {
 public:
  // openHelp runs for the Help button; target gives the running add-in.
  CValidationDlg(std::function<void()> openHelp, OptionsPageTargetProvider target);

  std::int32_t bValidSubjectTxt = 0;
  std::int32_t bValidBodyTxt = 0;
  std::int32_t bDisableCheckAddrBook = 0;

  void LoadFrom(const FilterOptions& options);
  void StoreInto(FilterOptions& options) const;

 protected:
  void MembersToControls() override;
  void ControlsToMembers() override;
  void OnOpened() override;
  void OnReturn() override;
  void OnClicked(int id) override;

 private:
  OptionsPageTarget* Target() const { return target_ ? target_() : nullptr; }
  void AddNewText();
  void RemoveSelected();
  void RestoreDefaults();

  std::function<void()> openHelp_;
  OptionsPageTargetProvider target_;
};

}  // namespace skerrow
