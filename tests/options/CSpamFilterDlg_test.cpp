#include "options/CSpamFilterDlg.h"

#include <gtest/gtest.h>

#include "options/FilterOptions.h"

namespace skerrow {
namespace {

struct Pairing {
  int control;
  std::int32_t FilterOptions::*option;
  bool restoredOn;
};

// The boxes 205 to 215 in id order, each with its option and its default.
const Pairing kPairings[] = {
    {205, &FilterOptions::bTestIllegalLang, true},  {206, &FilterOptions::bTestEmpty, true},
    {207, &FilterOptions::bDangerAttachment, true}, {208, &FilterOptions::bBadHtmlTags, true},
    {209, &FilterOptions::bBeforeHtmlEnd, true},    {210, &FilterOptions::bBadChinaSymb, true},
    {211, &FilterOptions::bSpamLinks, true},        {212, &FilterOptions::bExtraSmallFont, true},
    {213, &FilterOptions::bBayesFilter, true},      {214, &FilterOptions::bMoveUnchangable, false},
    {215, &FilterOptions::bAllAttachments, false},
};

FilterOptions With(std::int32_t value) {
  FilterOptions options;
  for (const Pairing& p : kPairings) options.*p.option = value;
  return options;
}

TEST(CSpamFilterDlgTest, EachBoxCarriesItsOwnOption) {
  for (const Pairing& p : kPairings) {
    SCOPED_TRACE(p.control);
    FilterOptions options = With(0);
    options.*p.option = 1;
    CSpamFilterDlg dialog(nullptr);
    dialog.LoadFrom(options);
    dialog.Open();
    for (const Pairing& other : kPairings) {
      EXPECT_EQ(dialog.IsChecked(other.control), other.control == p.control) << other.control;
    }

    dialog.Click(p.control);
    dialog.Click(ruleid::kReturn);
    FilterOptions stored = With(1);
    dialog.StoreInto(stored);

    for (const Pairing& other : kPairings) EXPECT_EQ(stored.*other.option, 0) << other.control;
  }
}

TEST(CSpamFilterDlgTest, DangerAttachmentsIsGreyedExactlyWhileAllAttachmentsIsChecked) {
  FilterOptions options = With(0);
  options.bAllAttachments = 1;
  options.bDangerAttachment = 1;
  CSpamFilterDlg dialog(nullptr);
  dialog.LoadFrom(options);
  dialog.Open();
  EXPECT_FALSE(dialog.IsEnabled(spamfilterid::kDangerAttachment));
  EXPECT_FALSE(dialog.Click(spamfilterid::kDangerAttachment));

  dialog.Click(spamfilterid::kAllAttachments);
  EXPECT_TRUE(dialog.IsEnabled(spamfilterid::kDangerAttachment));

  dialog.Click(spamfilterid::kAllAttachments);
  EXPECT_FALSE(dialog.IsEnabled(spamfilterid::kDangerAttachment));
}

TEST(CSpamFilterDlgTest, AGreyedDangerAttachmentsBoxKeepsItsValueAndIsStillStored) {
  for (std::int32_t danger : {0, 1}) {
    SCOPED_TRACE(danger);
    FilterOptions options = With(0);
    options.bDangerAttachment = danger;
    CSpamFilterDlg dialog(nullptr);
    dialog.LoadFrom(options);
    dialog.Open();

    dialog.Click(spamfilterid::kAllAttachments);
    dialog.Click(ruleid::kReturn);
    FilterOptions stored = With(1 - danger);
    dialog.StoreInto(stored);

    EXPECT_EQ(stored.bDangerAttachment, danger);
    EXPECT_EQ(stored.bAllAttachments, 1);
  }
}

TEST(CSpamFilterDlgTest, AClickOnAllAttachmentsTakesTheControlsValuesEvenIfClosedAfterwards) {
  CSpamFilterDlg dialog(nullptr);
  dialog.LoadFrom(With(0));
  dialog.Open();
  dialog.Click(spamfilterid::kBayesFilter);
  dialog.Click(spamfilterid::kAllAttachments);
  dialog.Click(spamfilterid::kTestEmpty);  // after the click: not taken
  dialog.Close();
  EXPECT_EQ(dialog.bBayesFilter, 1);
  EXPECT_EQ(dialog.bAllAttachments, 1);
  EXPECT_EQ(dialog.bTestEmpty, 0);
}

TEST(CSpamFilterDlgTest, RestoreDefaultsSetsTheDefaultsAndEnablesDangerAttachments) {
  FilterOptions options = With(0);
  options.bAllAttachments = 1;
  options.bMoveUnchangable = 1;
  CSpamFilterDlg dialog(nullptr);
  dialog.LoadFrom(options);
  dialog.Open();

  dialog.Click(spamfilterid::kRestoreDefaults);

  for (const Pairing& p : kPairings) {
    EXPECT_EQ(dialog.IsChecked(p.control), p.restoredOn) << p.control;
  }
  EXPECT_TRUE(dialog.IsEnabled(spamfilterid::kDangerAttachment));
  dialog.Close();
  EXPECT_EQ(dialog.bAllAttachments, 1);
  EXPECT_EQ(dialog.bBayesFilter, 0);
}

}  // namespace
}  // namespace skerrow
