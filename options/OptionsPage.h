// The options page (resource 105) on the mail client's Options dialog, as a
// model: the Show Toolbar box, the three rule buttons, Help and the web
// address. The page and its dialogs work on copies of the options, taken when
// the page is created and again when it opens; nothing reaches the options
// record until the host calls Apply.
//
// A front end (the COM page on Windows, a test) creates it, hands it the
// host's page site, opens it and reports clicks. The rule buttons run their
// dialog through the front end's modal runner, which shows the dialog and
// returns once it has ended (with Return or closed); a runner that returns
// while the dialog is still open counts as closing it.
#pragma once

#include <cstdint>
#include <functional>

#include "base/HResult.h"
#include "host/MailHost.h"
#include "options/COperationDlg.h"
#include "options/CSpamFilterDlg.h"
#include "options/CValidationDlg.h"
#include "options/DialogModel.h"
#include "options/OptionsPageTarget.h"

namespace skerrow {

struct Platform;
struct FilterOptions;

class OptionsPage : public DialogModel {
 public:
  using ModalRunner = std::function<void(DialogModel& dialog)>;

  // platform and options must outlive the page; target is asked at each use.
  OptionsPage(Platform& platform, FilterOptions& options, OptionsPageTargetProvider target,
              ModalRunner runModal);

  // The host's site, told whenever the page becomes dirty.
  void SetPageSite(PropertyPageSitePtr site) { site_ = std::move(site); }

  // PropertyPage, as the host calls it.
  // The host asks for help: the page opens the help file itself and fills in
  // nothing.
  HResult GetPageInfo();
  bool Dirty() const { return dirty_; }
  // Stores every option of the page and its dialogs (bWndMaximize is not
  // among them) and saves; then brings the running add-in in line: toolbar
  // visibility, Spam folder name, notification icon. Always succeeds.
  HResult Apply();

  // The page's copy of bShowToolbar, and the dialogs holding the others.
  std::int32_t bShowToolbar = 0;
  COperationDlg& OperationRules() { return operation_; }
  CValidationDlg& ValidationRules() { return validation_; }
  CSpamFilterDlg& SpamFilterRules() { return spamFilter_; }

 protected:
  void OnOpening() override { LoadWorkingCopies(); }
  void MembersToControls() override;
  void ControlsToMembers() override {}
  void OnClicked(int id) override;

 private:
  void LoadWorkingCopies();
  void RunRuleDialog(DialogModel& dialog);
  void SetDirty();
  void OpenHelp();
  OptionsPageTarget* Target() const { return target_ ? target_() : nullptr; }

  Platform& platform_;
  FilterOptions& options_;
  OptionsPageTargetProvider target_;
  ModalRunner runModal_;
  PropertyPageSitePtr site_;
  bool dirty_ = false;
  COperationDlg operation_;
  CValidationDlg validation_;
  CSpamFilterDlg spamFilter_;
};

}  // namespace skerrow
