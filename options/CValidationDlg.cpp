#include "options/CValidationDlg.h"

#include "options/FilterOptions.h"

namespace skerrow {

namespace {

using Check = CheckExchange<CValidationDlg>;

constexpr Check kChecks[] = {
    {validationid::kValidSubjectTxt, &CValidationDlg::bValidSubjectTxt},
    {validationid::kValidBodyTxt, &CValidationDlg::bValidBodyTxt},
    {validationid::kDisableCheckAddrBook, &CValidationDlg::bDisableCheckAddrBook},
};

}  // namespace

CValidationDlg::CValidationDlg(std::function<void()> openHelp, OptionsPageTargetProvider target)
    : DialogModel(ValidationRulesResource()),
      openHelp_(std::move(openHelp)),
      target_(std::move(target)) {}

void CValidationDlg::LoadFrom(const FilterOptions& options) {
  bValidSubjectTxt = options.bValidSubjectTxt;
  bValidBodyTxt = options.bValidBodyTxt;
  bDisableCheckAddrBook = options.bDisableCheckAddrBook;
}

void CValidationDlg::StoreInto(FilterOptions& options) const {
  options.bValidSubjectTxt = bValidSubjectTxt;
  options.bValidBodyTxt = bValidBodyTxt;
  options.bDisableCheckAddrBook = bDisableCheckAddrBook;
}

void CValidationDlg::MembersToControls() {
  ChecksFromMembers(*this, kChecks);
}

void CValidationDlg::ControlsToMembers() {
  ChecksToMembers(*this, kChecks);
}

void CValidationDlg::OnOpened() {
  if (OptionsPageTarget* target = Target()) {
    for (const std::string& text : target->ValidTexts()) AddListEntry(validationid::kTexts, text);
  }
}

void CValidationDlg::OnReturn() {
  if (OptionsPageTarget* target = Target()) {
    target->SetValidTexts(ListEntries(validationid::kTexts));
  }
}

void CValidationDlg::OnClicked(int id) {
  switch (id) {
    case validationid::kAdd:
      AddNewText();
      break;
    case validationid::kRemove:
      RemoveSelected();
      break;
    case validationid::kRestoreDefaults:
      RestoreDefaults();
      break;
    case ruleid::kHelp:
      if (openHelp_) openHelp_();
      break;
    default:
      break;
  }
}

void CValidationDlg::AddNewText() {
  AddListEntry(validationid::kTexts, EditText(validationid::kNewText));
  SetEditText(validationid::kNewText, "");
}

void CValidationDlg::RemoveSelected() {
  const std::vector<std::string> entries = ListEntries(validationid::kTexts);
  const std::vector<std::size_t> selected = SelectedListEntries(validationid::kTexts);
  OptionsPageTarget* target = Target();
  // From the last entry to the first, so that the indexes still ahead stay
  // valid as entries go.
  for (auto index = selected.rbegin(); index != selected.rend(); ++index) {
    if (target != nullptr) target->RemoveValidTexts({entries[*index]});
    DeleteListEntry(validationid::kTexts, *index);
  }
}

void CValidationDlg::RestoreDefaults() {
  // The list is not touched; the members follow on Return.
  SetChecked(validationid::kValidSubjectTxt, true);
  SetChecked(validationid::kValidBodyTxt, true);
  SetChecked(validationid::kDisableCheckAddrBook, false);
}

}  // namespace skerrow
