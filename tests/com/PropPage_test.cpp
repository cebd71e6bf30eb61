// The options page control as Outlook's Options dialog uses it: created
// through COM, sited in a container with Outlook's page site, activated in
// place, and driven through its real controls and modal rule dialogs by
// window messages. What it stores is read back from the Wine prefix's
// WIN.INI.
#include <gtest/gtest.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "com/Guids.h"
#include "com/OutlookPageInterfaces.h"
#include "tests/com/DllUnderTest.h"
#include "tests/com/ModalDriver.h"
#include "tests/com/TestContainer.h"

namespace skerrow::testing {
namespace {

constexpr const char* kSection = "Tamsquil";

// The keys of the options' section of WIN.INI, in the file's order.
std::vector<std::string> ProfileKeys() {
  std::vector<char> buffer(8192);
  const DWORD length =
      GetProfileSectionA(kSection, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::vector<std::string> keys;
  for (DWORD at = 0; at < length;) {
    const std::string line(&buffer[at]);
    keys.push_back(line.substr(0, line.find('=')));
    at += static_cast<DWORD>(line.size()) + 1;
  }
  return keys;
}

int ProfileSwitch(const char* key) {
  return static_cast<int>(GetProfileIntA(kSection, key, -1));
}

class OptionsPageControl : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_EQ(dll_.RegisterServer(), S_OK);
    WriteProfileStringA(kSection, nullptr, nullptr);
    ASSERT_EQ(CoCreateInstance(com::kClsidPropPage, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               reinterpret_cast<void**>(&control_)),
              S_OK);
    ASSERT_EQ(control_->SetClientSite(&container_), S_OK);
    RECT area{10, 10, 670, 500};
    ASSERT_EQ(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, 0,
                               container_.window(), &area),
              S_OK);
    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_EQ(control_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)),
              S_OK);
    ASSERT_EQ(inPlace->GetWindow(&page_), S_OK);
    inPlace->Release();
    ASSERT_EQ(control_->QueryInterface(com::kIidPropertyPage, reinterpret_cast<void**>(&property_)),
              S_OK);
  }

  void TearDown() override {
    if (property_ != nullptr) property_->Release();
    if (control_ != nullptr) {
      control_->Close(OLECLOSE_NOSAVE);
      control_->SetClientSite(nullptr);
      control_->Release();
    }
    WriteProfileStringA(kSection, nullptr, nullptr);
    dll_.UnregisterServer();
    CoUninitialize();
  }

  bool Dirty() {
    VARIANT_BOOL dirty = VARIANT_FALSE;
    EXPECT_EQ(property_->get_Dirty(&dirty), S_OK);
    return dirty == VARIANT_TRUE;
  }

  DllUnderTest dll_;
  TestContainer container_{GetParam()};
  IOleObject* control_ = nullptr;
  com::PropertyPage* property_ = nullptr;
  HWND page_ = nullptr;
};

TEST_P(OptionsPageControl, IsActivatedInPlaceAsAChildOfTheContainer) {
  EXPECT_TRUE(container_.inPlaceActive());
  EXPECT_EQ(GetParent(page_), container_.window());
  EXPECT_NE(GetDlgItem(page_, 238), nullptr);
  EXPECT_TRUE(IsWindowVisible(page_) || !IsWindowVisible(container_.window()));
  control_->Close(OLECLOSE_NOSAVE);
  EXPECT_FALSE(container_.inPlaceActive());
  EXPECT_FALSE(IsWindow(page_));
}

TEST_P(OptionsPageControl, ShowToolbarMakesThePageDirtyAndTellsTheSite) {
  EXPECT_FALSE(Dirty());
  const bool before = IsChecked(page_, 238);
  ClickControl(page_, 238);
  EXPECT_NE(IsChecked(page_, 238), before);
  EXPECT_TRUE(Dirty());
  EXPECT_EQ(container_.statusChanges(), 1);
}

TEST_P(OptionsPageControl, ARuleDialogClosedWithReturnChangesWhatApplyStores) {
  bool before = false;
  ModalDriver driver("Operation Rules", [&before](HWND dialog) {
    before = IsChecked(dialog, 202);  // Move mail to the Spam folder immediately.
    ClickControl(dialog, 202);
    ClickControl(dialog, 1);  // Return
  });
  ClickControl(page_, 221);
  ASSERT_TRUE(driver.acted());
  EXPECT_TRUE(Dirty());
  EXPECT_EQ(container_.statusChanges(), 1);
  ASSERT_EQ(property_->Apply(), S_OK);
  EXPECT_EQ(ProfileSwitch("bSpamAutoMove"), before ? 0 : 1);
}

TEST_P(OptionsPageControl, ARuleDialogClosedWithTheCloseBoxChangesNothing) {
  bool before = false;
  ModalDriver driver("Operation Rules", [&before](HWND dialog) {
    before = IsChecked(dialog, 202);
    ClickControl(dialog, 202);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  });
  ClickControl(page_, 221);
  ASSERT_TRUE(driver.acted());
  EXPECT_FALSE(Dirty());
  EXPECT_EQ(container_.statusChanges(), 0);
  ASSERT_EQ(property_->Apply(), S_OK);
  EXPECT_EQ(ProfileSwitch("bSpamAutoMove"), before ? 1 : 0);
}

TEST_P(OptionsPageControl, DangerAttachmentsFollowAllAttachmentsAndRestoreDefaults) {
  struct Seen {
    bool followsAtOpening = false;
    bool enabledAfterDefaults = false;
    bool enabledAfterAll = true;
    bool keptItsCheck = false;
    bool enabledAfterRestore = false;
    bool allAfterRestore = true;
  } seen;
  ModalDriver driver("Spam Filter Rules", [&seen](HWND dialog) {
    seen.followsAtOpening = IsWindowEnabled(GetDlgItem(dialog, 207)) == !IsChecked(dialog, 215);
    ClickControl(dialog, 224);  // Restore Defaults
    seen.enabledAfterDefaults = IsWindowEnabled(GetDlgItem(dialog, 207));
    ClickControl(dialog, 215);  // Restrict all attachments.
    seen.enabledAfterAll = IsWindowEnabled(GetDlgItem(dialog, 207));
    seen.keptItsCheck = IsChecked(dialog, 207);
    ClickControl(dialog, 224);
    seen.enabledAfterRestore = IsWindowEnabled(GetDlgItem(dialog, 207));
    seen.allAfterRestore = IsChecked(dialog, 215);
    ClickControl(dialog, 215);
    ClickControl(dialog, 1);
  });
  ClickControl(page_, 223);
  ASSERT_TRUE(driver.acted());
  EXPECT_TRUE(seen.followsAtOpening);
  EXPECT_TRUE(seen.enabledAfterDefaults);
  EXPECT_FALSE(seen.enabledAfterAll);
  EXPECT_TRUE(seen.keptItsCheck);
  EXPECT_TRUE(seen.enabledAfterRestore);
  EXPECT_FALSE(seen.allAfterRestore);
  ASSERT_EQ(property_->Apply(), S_OK);
  EXPECT_EQ(ProfileSwitch("bAllAttachments"), 1);
  EXPECT_EQ(ProfileSwitch("bDangerAttachment"), 1);  // greyed, still stored
  EXPECT_EQ(ProfileSwitch("bBayesFilter"), 1);       // restored default
}

TEST_P(OptionsPageControl, ApplyStoresAllTheOptionsInTheSaveOrder) {
  ASSERT_EQ(property_->Apply(), S_OK);
  const std::vector<std::string> saveOrder = {
      "bShowToolbar",      "sSpamBoxName",         "bSpamAutoMove",    "bAddReportMarksToSubj",
      "bMarkAsRead",       "bUniqueApp",           "bHideViaExit",     "bRemoveScripts",
      "bRemoveImages",     "bWndMaximize",         "bAllowPlayMpg",    "bErrorLog",
      "bValidSubjectTxt",  "bValidBodyTxt",        "bTestIllegalLang", "bTestEmpty",
      "bDangerAttachment", "bBadHtmlTags",         "bBeforeHtmlEnd",   "bBadChinaSymb",
      "bSpamLinks",        "bExtraSmallFont",      "bMoveUnchangable", "bBayesFilter",
      "bAllAttachments",   "bDisableCheckAddrBook"};
  const std::vector<std::string> keys = ProfileKeys();
  ASSERT_GE(keys.size(), saveOrder.size());
  EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + saveOrder.size()), saveOrder);
}

INSTANTIATE_TEST_SUITE_P(PageSiteOnTheClientSiteOrItsContainer, OptionsPageControl,
                         ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "SiteOnContainer" : "SiteOnClientSite";
                         });

}  // namespace
}  // namespace skerrow::testing
