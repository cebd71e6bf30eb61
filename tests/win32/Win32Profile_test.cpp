#include "platform/win32/Win32Profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Win32FileSystem.h"

namespace skerrow {
namespace {

// Works on a section of its own in the prefix's real WIN.INI and removes it.
class Win32ProfileTest : public ::testing::Test {
 protected:
  static constexpr const char* kSection = "SkerrowProfileTest";
  Win32Profile profile;

  ~Win32ProfileTest() override { WriteProfileStringA(kSection, nullptr, nullptr); }

  static std::string WinIni() {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return Win32FileSystem().ReadAll(std::string(folder) + "\\win.ini").value_or("<unreadable>");
  }
};

TEST_F(Win32ProfileTest, MissingKeysYieldTheDefaultsCutToTheBuffer) {
  EXPECT_EQ(profile.ReadInt(kSection, "bBayesFilter", 1), 1);
  EXPECT_EQ(profile.ReadInt("SkerrowNoSuchSection", "bErrorLog", -3), -3);
  EXPECT_EQ(profile.ReadString(kSection, "sSpamBoxName", "Junk E-mail", 1024), "Junk E-mail");
  EXPECT_EQ(profile.ReadString(kSection, "sSpamBoxName", "Junk E-mail", 5), "Junk");
  EXPECT_EQ(profile.ReadString(kSection, "sSpamBoxName", "Junk E-mail", 0), "");
}

TEST_F(Win32ProfileTest, SwitchesAreWrittenAsTheirTextAndReadBack) {
  ASSERT_TRUE(profile.WriteString(kSection, "bShowToolbar", "1"));
  ASSERT_TRUE(profile.WriteString(kSection, "bBayesFilter", "0"));
  ASSERT_TRUE(profile.WriteString(" SkerrowProfileTest ", " sSpamBoxName\t", "Junk E-mail"));
  ASSERT_TRUE(profile.WriteString(kSection, "bWndMaximize", "-7"));
  EXPECT_NE(WinIni().find("[SkerrowProfileTest]\r\nbShowToolbar=1\r\nbBayesFilter=0\r\n"
                          "sSpamBoxName=Junk E-mail\r\nbWndMaximize=-7\r\n"),
            std::string::npos)
      << WinIni();
  EXPECT_EQ(profile.ReadInt(kSection, "bShowToolbar", 0), 1);
  EXPECT_EQ(profile.ReadInt(kSection, "bBayesFilter", 1), 0);
  EXPECT_EQ(profile.ReadInt(kSection, "bWndMaximize", 1), -7);
  EXPECT_EQ(profile.ReadString(" SkerrowProfileTest", "sspamboxname ", "", 1024), "Junk E-mail");
}

TEST_F(Win32ProfileTest, LongValuesAreCutToTheBufferOnly) {
  const std::string name(3000, 'n');
  ASSERT_TRUE(profile.WriteString(kSection, "sSpamBoxName", name));
  EXPECT_EQ(profile.ReadString(kSection, "sSpamBoxName", "", 1024), name.substr(0, 1023));
  EXPECT_EQ(profile.ReadString(kSection, "sSpamBoxName", "", 4096), name);
}

TEST_F(Win32ProfileTest, TextThatWouldBreakTheFileApartIsRefusedAndChangesNothing) {
  ASSERT_TRUE(profile.WriteString(kSection, "k", "1"));
  const std::string before = WinIni();
  const std::pair<const char*, std::string> refused[] = {{"k", "a\nbShowToolbar=0"},
                                                         {"k", "a\rb"},
                                                         {"a=b", "1"},
                                                         {"[k]", "1"},
                                                         {"", "1"},
                                                         {";k", "1"},
                                                         {"k", std::string("a\0b", 3)}};
  for (const auto& [key, value] : refused) EXPECT_FALSE(profile.WriteString(kSection, key, value));
  EXPECT_FALSE(profile.WriteString("S]x", "k", "1"));
  EXPECT_EQ(WinIni(), before);
}

TEST_F(Win32ProfileTest, SeveralKeysAreWrittenInOrderOrNoneIfOneCannotBe) {
  EXPECT_FALSE(profile.WriteStrings(kSection, {{"k", "2"}, {"bad", "a\nb"}}));
  EXPECT_EQ(profile.ReadString(kSection, "k", "none", 1024), "none");
  ASSERT_TRUE(profile.WriteStrings(kSection, {{"k", "2"}, {"m", "3"}, {"k", "4"}}));
  EXPECT_NE(WinIni().find("[SkerrowProfileTest]\r\nk=4\r\nm=3\r\n"), std::string::npos);
}

}  // namespace
}  // namespace skerrow
