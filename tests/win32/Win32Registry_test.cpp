#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace skerrow {
namespace {

TEST(Win32Registry, ReadsOnlyAStringThatFitsTheBufferWithItsNul) {
  Win32Registry registry;
  auto query = [&](RegistryRoot root, const char* key, const char* value, std::size_t size) {
    return registry.QueryString(root, key, value, size);
  };
  constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
  constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
  EXPECT_EQ(query(kMachine, kCurrentVersion, "ProgramFilesDir", 260), "C:\\Program Files");
  EXPECT_EQ(query(kMachine, kCurrentVersion, "ProgramFilesDir", 17), "C:\\Program Files");
  EXPECT_EQ(query(kMachine, kCurrentVersion, "ProgramFilesDir", 16), std::nullopt);
  EXPECT_EQ(query(kMachine, kCurrentVersion, "Missing", 260), std::nullopt);
  const DWORD number = 7;
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\SkerrowTest", "Number", REG_DWORD, &number, 4);
  EXPECT_EQ(query(RegistryRoot::CurrentUser, "Software\\SkerrowTest", "Number", 260), std::nullopt);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SkerrowTest");
}

}  // namespace
}  // namespace skerrow
