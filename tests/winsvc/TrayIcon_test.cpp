#include "winsvc/TrayIcon.h"

#include <gtest/gtest.h>

#include "platform/linux/SimulatedWindowSystem.h"

namespace skerrow {
namespace {

TEST(TrayIconTest, TheRecordCarriesTheFixedValuesTheIconIsKnownBy) {
  const WindowHandle window{0x4242};

  NotifyIconRecord record = TrayIcon::RecordFor(window);

  EXPECT_EQ(record.size, 488u);
  EXPECT_EQ(record.window, window);
  EXPECT_EQ(record.id, 555u);
  EXPECT_EQ(record.flags, 7u);
  EXPECT_EQ(record.callbackMessage, 1621u);
  EXPECT_EQ(record.iconResource, 210);
  EXPECT_EQ(record.tip, "MS Outlook");
}

TEST(TrayIconTest, WithoutAWindowNoIconIsAdded) {
  SimulatedWindowSystem windows;
  TrayIcon icon(windows);

  EXPECT_FALSE(icon.Add());
  EXPECT_TRUE(windows.NotifyIcons().empty());
}

TEST(TrayIconTest, AddingTwiceKeepsOneIconAndRemovingTakesItAway) {
  SimulatedWindowSystem windows;
  TrayIcon icon(windows);
  icon.SetWindow(windows.AddWindow("Inbox - Microsoft Outlook"));

  EXPECT_TRUE(icon.Add());
  EXPECT_TRUE(icon.Add());
  EXPECT_EQ(windows.NotifyIcons().size(), 1u);

  icon.Remove();
  EXPECT_FALSE(icon.IsShown());
  EXPECT_TRUE(windows.NotifyIcons().empty());
}

}  // namespace
}  // namespace skerrow
