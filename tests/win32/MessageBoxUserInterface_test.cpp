#include "platform/win32/MessageBoxUserInterface.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

TEST(MessageBoxUserInterface, TheWaitCursorNestsAndPutsBackTheCursorItReplaced) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  SetCursor(arrow);
  MessageBoxUserInterface ui;
  ui.SetWaitCursor(true);
  ui.SetWaitCursor(true);
  ui.SetWaitCursor(false);
  EXPECT_EQ(GetCursor(), wait);
  ui.SetWaitCursor(false);
  EXPECT_EQ(GetCursor(), arrow);
  ui.SetWaitCursor(false);
  EXPECT_EQ(GetCursor(), arrow);
  SetCursor(nullptr);
  ui.SetWaitCursor(true);
  ui.SetWaitCursor(false);
  EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
}  // namespace skerrow
