#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

namespace skerrow {
namespace {

TEST(Win32Platform, HandsOutTheSystemsServicesInItsAnsiCodePage) {
  Win32Platform world(GetModuleHandleA(nullptr));
  Platform& platform = world.platform();
  EXPECT_EQ(platform.codePage.Id(), GetACP());
  EXPECT_EQ(platform.windows.MainWindow(), Win32WindowSystem::ToHandle(GetActiveWindow()));
  EXPECT_EQ(platform.profile.ReadInt("SkerrowNoSuchSection", "bBayesFilter", 1), 1);
}

}  // namespace
}  // namespace skerrow
