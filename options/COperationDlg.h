// Operation Rules (resource 106): the Spam folder and its marks, the error
// log and the non-filter conveniences. Its members are the page's working
// copies of these options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "options/DialogModel.h"

namespace skerrow {

struct FilterOptions;

class COperationDlg : public DialogModel {
 public:
  // openHelp runs for the Help button.
  explicit COperationDlg(std::function<void()> openHelp);

  std::int32_t bAddReportMarksToSubj = 0;
  std::int32_t bSpamAutoMove = 0;
  std::int32_t bMarkAsRead = 0;
  std::string sSpamBoxName;
  std::int32_t bErrorLog = 0;
  std::int32_t bUniqueApp = 0;
  std::int32_t bHideViaExit = 0;
  std::int32_t bRemoveScripts = 0;
  std::int32_t bRemoveImages = 0;
  std::int32_t bAllowPlayMpg = 0;

  void LoadFrom(const FilterOptions& options);
  void StoreInto(FilterOptions& options) const;

 protected:
  void MembersToControls() override;
  void ControlsToMembers() override;
  void OnClicked(int id) override;

 private:
  void RestoreDefaults();

  std::function<void()> openHelp_;
};

}  // namespace skerrow
