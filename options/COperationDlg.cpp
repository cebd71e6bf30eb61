#include "options/COperationDlg.h"

#include "options/FilterOptions.h"

namespace skerrow {

namespace {

constexpr const char* kDefaultSpamBoxName = "Junk E-mail";

using Check = CheckExchange<COperationDlg>;

constexpr Check kChecks[] = {
    {operationid::kAddReportMarksToSubj, &COperationDlg::bAddReportMarksToSubj},
    {operationid::kSpamAutoMove, &COperationDlg::bSpamAutoMove},
    {operationid::kMarkAsRead, &COperationDlg::bMarkAsRead},
    {operationid::kErrorLog, &COperationDlg::bErrorLog},
    {operationid::kUniqueApp, &COperationDlg::bUniqueApp},
    {operationid::kHideViaExit, &COperationDlg::bHideViaExit},
    {operationid::kRemoveScripts, &COperationDlg::bRemoveScripts},
    {operationid::kRemoveImages, &COperationDlg::bRemoveImages},
    {operationid::kAllowPlayMpg, &COperationDlg::bAllowPlayMpg},
};

// Restore Defaults; the log box keeps its state.
struct DefaultCheck {
  int id;
  bool checked;
};
constexpr DefaultCheck kDefaults[] = {
    {operationid::kAddReportMarksToSubj, false},
    {operationid::kSpamAutoMove, false},
    {operationid::kMarkAsRead, true},
    {operationid::kUniqueApp, false},
    {operationid::kHideViaExit, false},
    {operationid::kRemoveScripts, false},
    {operationid::kRemoveImages, false},
    {operationid::kAllowPlayMpg, false},
};

}  // namespace

COperationDlg::COperationDlg(std::function<void()> openHelp)
    : DialogModel(OperationRulesResource()), openHelp_(std::move(openHelp)) {}

void COperationDlg::LoadFrom(const FilterOptions& options) {
  bAddReportMarksToSubj = options.bAddReportMarksToSubj;
  bSpamAutoMove = options.bSpamAutoMove;
  bMarkAsRead = options.bMarkAsRead;
  sSpamBoxName = options.sSpamBoxName;
  bErrorLog = options.bErrorLog;
  bUniqueApp = options.bUniqueApp;
  bHideViaExit = options.bHideViaExit;
  bRemoveScripts = options.bRemoveScripts;
  bRemoveImages = options.bRemoveImages;
  bAllowPlayMpg = options.bAllowPlayMpg;
}

void COperationDlg::StoreInto(FilterOptions& options) const {
  options.bAddReportMarksToSubj = bAddReportMarksToSubj;
  options.bSpamAutoMove = bSpamAutoMove;
  options.bMarkAsRead = bMarkAsRead;
  options.sSpamBoxName = sSpamBoxName;
  options.bErrorLog = bErrorLog;
  options.bUniqueApp = bUniqueApp;
  options.bHideViaExit = bHideViaExit;
  options.bRemoveScripts = bRemoveScripts;
  options.bRemoveImages = bRemoveImages;
  options.bAllowPlayMpg = bAllowPlayMpg;
}

void COperationDlg::MembersToControls() {
  ChecksFromMembers(*this, kChecks);
  SetEditText(operationid::kSpamBoxName, sSpamBoxName);
}

void COperationDlg::ControlsToMembers() {
  ChecksToMembers(*this, kChecks);
  sSpamBoxName = EditText(operationid::kSpamBoxName);
}

void COperationDlg::OnClicked(int id) {
  if (id == operationid::kRestoreDefaults) {
    RestoreDefaults();
  } else if (id == ruleid::kHelp && openHelp_) {
    openHelp_();
  }
}

void COperationDlg::RestoreDefaults() {
  // Only the controls change: the members follow on Return, so a dialog
  // closed afterwards keeps the values it had.
  for (const DefaultCheck& row : kDefaults) SetChecked(row.id, row.checked);
  SetEditText(operationid::kSpamBoxName, kDefaultSpamBoxName);
}

}  // namespace skerrow
