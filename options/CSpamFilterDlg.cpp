#include "options/CSpamFilterDlg.h"

#include "options/FilterOptions.h"

namespace skerrow {

namespace {

using Check = CheckExchange<CSpamFilterDlg>;

constexpr Check kChecks[] = {
    {spamfilterid::kTestIllegalLang, &CSpamFilterDlg::bTestIllegalLang},
    {spamfilterid::kTestEmpty, &CSpamFilterDlg::bTestEmpty},
    {spamfilterid::kDangerAttachment, &CSpamFilterDlg::bDangerAttachment},
    {spamfilterid::kBadHtmlTags, &CSpamFilterDlg::bBadHtmlTags},
    {spamfilterid::kBeforeHtmlEnd, &CSpamFilterDlg::bBeforeHtmlEnd},
    {spamfilterid::kBadChinaSymb, &CSpamFilterDlg::bBadChinaSymb},
    {spamfilterid::kSpamLinks, &CSpamFilterDlg::bSpamLinks},
    {spamfilterid::kExtraSmallFont, &CSpamFilterDlg::bExtraSmallFont},
    {spamfilterid::kBayesFilter, &CSpamFilterDlg::bBayesFilter},
    {spamfilterid::kMoveUnchangable, &CSpamFilterDlg::bMoveUnchangable},
    {spamfilterid::kAllAttachments, &CSpamFilterDlg::bAllAttachments},
};

struct DefaultCheck {
  int id;
  bool checked;
};
constexpr DefaultCheck kDefaults[] = {
    {spamfilterid::kTestIllegalLang, true},  {spamfilterid::kTestEmpty, true},
    {spamfilterid::kDangerAttachment, true}, {spamfilterid::kBadHtmlTags, true},
    {spamfilterid::kBeforeHtmlEnd, true},    {spamfilterid::kBadChinaSymb, true},
    {spamfilterid::kSpamLinks, true},        {spamfilterid::kExtraSmallFont, true},
    {spamfilterid::kBayesFilter, true},      {spamfilterid::kMoveUnchangable, false},
    {spamfilterid::kAllAttachments, false},
};

}  // namespace

CSpamFilterDlg::CSpamFilterDlg(std::function<void()> openHelp)
    : DialogModel(SpamFilterRulesResource()), openHelp_(std::move(openHelp)) {}

void CSpamFilterDlg::LoadFrom(const FilterOptions& options) {
  bTestIllegalLang = options.bTestIllegalLang;
  bTestEmpty = options.bTestEmpty;
  bDangerAttachment = options.bDangerAttachment;
  bBadHtmlTags = options.bBadHtmlTags;
  bBeforeHtmlEnd = options.bBeforeHtmlEnd;
  bBadChinaSymb = options.bBadChinaSymb;
  bSpamLinks = options.bSpamLinks;
  bExtraSmallFont = options.bExtraSmallFont;
  bBayesFilter = options.bBayesFilter;
  bMoveUnchangable = options.bMoveUnchangable;
  bAllAttachments = options.bAllAttachments;
}

void CSpamFilterDlg::StoreInto(FilterOptions& options) const {
  options.bTestIllegalLang = bTestIllegalLang;
  options.bTestEmpty = bTestEmpty;
  options.bDangerAttachment = bDangerAttachment;
  options.bBadHtmlTags = bBadHtmlTags;
  options.bBeforeHtmlEnd = bBeforeHtmlEnd;
  options.bBadChinaSymb = bBadChinaSymb;
  options.bSpamLinks = bSpamLinks;
  options.bExtraSmallFont = bExtraSmallFont;
  options.bBayesFilter = bBayesFilter;
  options.bMoveUnchangable = bMoveUnchangable;
  options.bAllAttachments = bAllAttachments;
}

void CSpamFilterDlg::MembersToControls() {
  ChecksFromMembers(*this, kChecks);
}

void CSpamFilterDlg::ControlsToMembers() {
  ChecksToMembers(*this, kChecks);
}

void CSpamFilterDlg::OnOpened() {
  FollowAllAttachments();
}

void CSpamFilterDlg::OnClicked(int id) {
  if (id == spamfilterid::kAllAttachments) {
    // The click takes the values of all the controls into the members first,
    // as a Return would, and only then greys or enables the other box.
    ControlsToMembers();
    FollowAllAttachments();
  } else if (id == spamfilterid::kRestoreDefaults) {
    RestoreDefaults();
  } else if (id == ruleid::kHelp && openHelp_) {
    openHelp_();
  }
}

void CSpamFilterDlg::FollowAllAttachments() {
  // With every attachment restricted, the dangerous ones need no box of their
  // own; the box keeps its value for when the other is cleared again.
  Enable(spamfilterid::kDangerAttachment, !IsChecked(spamfilterid::kAllAttachments));
}

void CSpamFilterDlg::RestoreDefaults() {
  // Only the controls change: the members follow on Return.
  for (const DefaultCheck& row : kDefaults) SetChecked(row.id, row.checked);
  FollowAllAttachments();
}

}  // namespace skerrow
