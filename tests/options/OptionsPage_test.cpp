#include "options/OptionsPage.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/options/RecordingPageTarget.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class CountingSite : public PropertyPageSite {
 public:
  int statusChanges = 0;
  HResult OnStatusChange() override {
    ++statusChanges;
    return hr::kOk;
  }
};

class OptionsPageTest : public ::testing::Test {
 protected:
  OptionsPageTest() {
    page.SetPageSite(site);
    page.Open();
  }

  // The front end's modal loop: runs the next scripted user session on the
  // dialog the page opened.
  void Script(std::function<void(DialogModel&)> session) { sessions.push_back(std::move(session)); }

  std::string Stored(const char* key) {
    return world.profile().ReadString("Tamsquil", key, "absent", 1024);
  }

  TestPlatform world;
  RecordingPageTarget target;
  OptionsPageTarget* current = &target;
  std::vector<std::function<void(DialogModel&)>> sessions;
  std::shared_ptr<CountingSite> site = std::make_shared<CountingSite>();
  OptionsPage page{world.platform(), world.options(), [this] { return current; },
                   [this](DialogModel& dialog) {
                     ASSERT_FALSE(sessions.empty());
                     auto session = std::move(sessions.front());
                     sessions.erase(sessions.begin());
                     session(dialog);
                   }};
};

TEST_F(OptionsPageTest, OpeningShowsTheToolbarSwitchAndTakesFreshCopies) {
  EXPECT_TRUE(page.IsChecked(pageid::kShowToolbar));
  world.options().bShowToolbar = 0;
  world.options().bSpamAutoMove = 1;

  page.Open();

  EXPECT_FALSE(page.IsChecked(pageid::kShowToolbar));
  EXPECT_EQ(page.OperationRules().bSpamAutoMove, 1);
  EXPECT_FALSE(page.Dirty());
}

TEST_F(OptionsPageTest, ARuleDialogClosedWithTheCloseBoxChangesNothingAndLeavesThePageClean) {
  Script([](DialogModel& dialog) {
    dialog.Click(operationid::kSpamAutoMove);
    dialog.Click(operationid::kHideViaExit);
    dialog.Close();
  });
  page.Click(pageid::kOperationRules);

  EXPECT_FALSE(page.Dirty());
  EXPECT_EQ(site->statusChanges, 0);
  Script([](DialogModel& dialog) {
    EXPECT_FALSE(dialog.IsChecked(operationid::kSpamAutoMove));
    EXPECT_FALSE(dialog.IsChecked(operationid::kHideViaExit));
    dialog.Close();
  });
  page.Click(pageid::kOperationRules);
}

TEST_F(OptionsPageTest, ARunnerThatReturnsWithTheDialogOpenCountsAsClosingIt) {
  Script([](DialogModel& dialog) { dialog.Click(spamfilterid::kBayesFilter); });

  page.Click(pageid::kSpamFilterRules);

  EXPECT_FALSE(page.SpamFilterRules().IsOpen());
  EXPECT_FALSE(page.Dirty());
  EXPECT_EQ(page.SpamFilterRules().bBayesFilter, 1);
}

TEST_F(OptionsPageTest, EachRuleButtonOpensItsDialogAndReturnMakesThePageDirty) {
  const std::pair<int, int> buttons[] = {
      {pageid::kOperationRules, dialogid::kOperationRules},
      {pageid::kValidationRules, dialogid::kValidationRules},
      {pageid::kSpamFilterRules, dialogid::kSpamFilterRules},
  };
  int changes = 0;
  for (auto [button, dialogId] : buttons) {
    SCOPED_TRACE(button);
    Script([dialogId](DialogModel& dialog) {
      EXPECT_EQ(dialog.Resource().id, dialogId);
      dialog.Click(ruleid::kReturn);
    });
    page.Click(button);
    EXPECT_TRUE(page.Dirty());
    EXPECT_EQ(site->statusChanges, ++changes);
  }
}

TEST_F(OptionsPageTest, ShowToolbarMakesThePageDirtyAndApplyShowsOrHidesTheToolbarAtOnce) {
  page.Click(pageid::kShowToolbar);
  EXPECT_TRUE(page.Dirty());
  EXPECT_EQ(site->statusChanges, 1);

  EXPECT_EQ(page.Apply(), hr::kOk);

  EXPECT_EQ(world.options().bShowToolbar, 0);
  EXPECT_EQ(Stored("bShowToolbar"), "0");
  EXPECT_EQ(target.calls, (std::vector<std::string>{"toolbar", "rename", "icon off"}));
}

TEST_F(OptionsPageTest, ApplyStoresEveryDialogsValuesAndSavesAllOptions) {
  Script([](DialogModel& dialog) {
    dialog.Click(operationid::kHideViaExit);
    dialog.SetEditText(operationid::kSpamBoxName, "Spam");
    dialog.Click(ruleid::kReturn);
  });
  page.Click(pageid::kOperationRules);
  Script([](DialogModel& dialog) {
    dialog.Click(validationid::kDisableCheckAddrBook);
    dialog.Click(ruleid::kReturn);
  });
  page.Click(pageid::kValidationRules);
  Script([](DialogModel& dialog) {
    dialog.Click(spamfilterid::kBayesFilter);
    dialog.Click(ruleid::kReturn);
  });
  page.Click(pageid::kSpamFilterRules);

  page.Apply();

  EXPECT_EQ(world.options().bHideViaExit, 1);
  EXPECT_EQ(world.options().sSpamBoxName, "Spam");
  EXPECT_EQ(world.options().bDisableCheckAddrBook, 1);
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(Stored("bBayesFilter"), "0");
  EXPECT_EQ(Stored("sSpamBoxName"), "Spam");
  EXPECT_EQ(target.calls.back(), "icon on");
  EXPECT_TRUE(page.Dirty());  // Apply does not clear it
}

TEST_F(OptionsPageTest, AnEmptySpamFolderNameIsStoredEmptyAndTheRenameIsStillAsked) {
  Script([](DialogModel& dialog) {
    dialog.SetEditText(operationid::kSpamBoxName, "");
    dialog.Click(ruleid::kReturn);
  });
  page.Click(pageid::kOperationRules);

  page.Apply();

  EXPECT_EQ(world.options().sSpamBoxName, "");
  EXPECT_EQ(Stored("sSpamBoxName"), "");
  EXPECT_EQ(target.calls, (std::vector<std::string>{"toolbar", "rename", "icon off"}));
}

TEST_F(OptionsPageTest, ApplyNeverChangesTheRecordedMaximizedState) {
  for (std::int32_t maximized : {1, 0}) {
    SCOPED_TRACE(maximized);
    world.options().bWndMaximize = maximized;  // recorded by the window after the page opened

    page.Apply();

    EXPECT_EQ(world.options().bWndMaximize, maximized);
    EXPECT_EQ(Stored("bWndMaximize"), std::to_string(maximized));
  }
}

TEST_F(OptionsPageTest, WithoutACurrentAddInApplyOnlyStoresTheOptions) {
  current = nullptr;
  page.Click(pageid::kShowToolbar);

  EXPECT_EQ(page.Apply(), hr::kOk);

  EXPECT_EQ(world.options().bShowToolbar, 0);
  EXPECT_TRUE(target.calls.empty());
}

TEST_F(OptionsPageTest, AnApplyBeforeThePageOpenedStoresTheOptionsAsTheyAre) {
  world.options().bSpamAutoMove = 1;
  world.options().bBayesFilter = 0;
  world.options().sSpamBoxName = "Spam";
  OptionsPage fresh(world.platform(), world.options(), nullptr, nullptr);

  fresh.Apply();

  EXPECT_EQ(world.options().bSpamAutoMove, 1);
  EXPECT_EQ(world.options().bBayesFilter, 0);
  EXPECT_EQ(world.options().bShowToolbar, 1);
  EXPECT_EQ(world.options().sSpamBoxName, "Spam");
}

TEST_F(OptionsPageTest, HelpButtonsAndTheHostsHelpRequestOpenTheHelpFile) {
  Script([](DialogModel& dialog) {
    dialog.Click(ruleid::kHelp);
    dialog.Close();
  });
  page.Click(pageid::kValidationRules);
  page.Click(pageid::kHelp);
  EXPECT_EQ(page.GetPageInfo(), hr::kOk);

  ASSERT_EQ(world.shell().opens.size(), 3u);
  for (const ShellOpen& open : world.shell().opens) {
    EXPECT_EQ(open.verb, "open");
    EXPECT_EQ(open.file, world.options().InstallFolder + "\\Skerrow.chm");
    EXPECT_EQ(open.showCommand, sw::kShowNormal);
  }
  EXPECT_FALSE(page.Dirty());
}

TEST_F(OptionsPageTest, TheWelcomeButtonOpensTheProductsWebAddress) {
  page.Click(pageid::kWebAddress);

  ASSERT_EQ(world.shell().opens.size(), 1u);
  EXPECT_EQ(world.shell().opens[0].verb, "open");
  EXPECT_EQ(world.shell().opens[0].file, kProductWebAddress);
}

}  // namespace
}  // namespace skerrow
