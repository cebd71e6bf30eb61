// Spam Filter Rules (resource 206): the content rules, the Bayes stage and
// the four special statistical filters. Its members are the page's working
// copies of these options. "Restrict danger attachments." is greyed out while
// "Restrict all attachments." is checked, and keeps its value meanwhile; a
// click on "Restrict all attachments." takes every control's value into the
// members, so that they hold it even if the dialog is then closed.
#pragma once

#include <cstdint>
#include <functional>

#include "options/DialogModel.h"

namespace skerrow {

struct FilterOptions;

class CSpamFilterDlg : public DialogModel {
 public:
  // openHelp runs for the Help button.
  explicit CSpamFilterDlg(std::function<void()> openHelp);

  // Paired with the boxes 205 to 215 in id order.
  std::int32_t bTestIllegalLang = 0;
  std::int32_t bTestEmpty = 0;
  std::int32_t bDangerAttachment = 0;
  std::int32_t bBadHtmlTags = 0;
  std::int32_t bBeforeHtmlEnd = 0;
  std::int32_t bBadChinaSymb = 0;
  std::int32_t bSpamLinks = 0;
  std::int32_t bExtraSmallFont = 0;
  std::int32_t bBayesFilter = 0;
  std::int32_t bMoveUnchangable = 0;
  std::int32_t bAllAttachments = 0;

  void LoadFrom(const FilterOptions& options);
  void StoreInto(FilterOptions& options) const;

 protected:
  void MembersToControls() override;
  void ControlsToMembers() override;
  void OnOpened() override;
  void OnClicked(int id) override;

 private:
  void RestoreDefaults();
  void FollowAllAttachments();

  std::function<void()> openHelp_;
};

}  // namespace skerrow
