#include "options/OptionsPage.h"

#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "platform/WindowConstants.h"
#include "spamfolder/HelpFile.h"

namespace skerrow {

OptionsPage::OptionsPage(Platform& platform, FilterOptions& options,
                         OptionsPageTargetProvider target, ModalRunner runModal)
    : DialogModel(OptionsPageResource()),
      platform_(platform),
      options_(options),
      target_(std::move(target)),
      runModal_(std::move(runModal)),
      operation_([this] { OpenHelp(); }),
      validation_([this] { OpenHelp(); }, target_),
      spamFilter_([this] { OpenHelp(); }) {
  // Taken here as well as on opening, so that an Apply that comes before the
  // page was ever shown stores the options as they are instead of zeros.
  LoadWorkingCopies();
}

void OptionsPage::LoadWorkingCopies() {
  bShowToolbar = options_.bShowToolbar;
  operation_.LoadFrom(options_);
  validation_.LoadFrom(options_);
  spamFilter_.LoadFrom(options_);
}

void OptionsPage::MembersToControls() {
  SetChecked(pageid::kShowToolbar, bShowToolbar != 0);
}

void OptionsPage::OnClicked(int id) {
  switch (id) {
    case pageid::kShowToolbar:
      bShowToolbar = IsChecked(pageid::kShowToolbar) ? 1 : 0;
      SetDirty();
      break;
    case pageid::kOperationRules:
      RunRuleDialog(operation_);
      break;
    case pageid::kValidationRules:
      RunRuleDialog(validation_);
      break;
    case pageid::kSpamFilterRules:
      RunRuleDialog(spamFilter_);
      break;
    case pageid::kHelp:
      OpenHelp();
      break;
    case pageid::kWebAddress:
      platform_.shell.OpenWithShell("open", kProductWebAddress, sw::kShowNormal);
      break;
    default:
      break;
  }
}

void OptionsPage::RunRuleDialog(DialogModel& dialog) {
  dialog.Open();
  if (runModal_) runModal_(dialog);
  dialog.Close();  // a no-op once it ended
  if (dialog.EndedWithReturn()) SetDirty();
}

void OptionsPage::SetDirty() {
  dirty_ = true;
  // Enables the host's Apply button; nothing to do if the host cannot.
  if (site_) site_->OnStatusChange();
}

void OptionsPage::OpenHelp() {
  OpenHelpFile(platform_.shell, options_);
}

HResult OptionsPage::GetPageInfo() {
  OpenHelp();
  return hr::kOk;
}

HResult OptionsPage::Apply() {
  FilterOptions values = options_;
  values.bShowToolbar = bShowToolbar;
  operation_.StoreInto(values);
  validation_.StoreInto(values);
  spamFilter_.StoreInto(values);
  options_.ApplyOptions(values, platform_.profile);

  // The icon too needs a running add-in: one added without it would answer
  // no click and outlive the connection.
  if (OptionsPageTarget* target = Target()) {
    target->UpdateToolbarVisibility();
    target->RenameSpamFolder();
    target->ShowTrayIcon(options_.bHideViaExit != 0);
  }
  return hr::kOk;
}

}  // namespace skerrow
