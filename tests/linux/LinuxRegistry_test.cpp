#include "platform/linux/LinuxRegistry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

constexpr const char* kVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

class LinuxRegistryTest : public ::testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path file = folder.path() / "registry.txt";
  LinuxRegistry registry{file};

  void Write(std::string_view content) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
  }
  std::optional<std::string> ProgramFiles(std::size_t bufferSize = 260) {
    return registry.QueryString(RegistryRoot::LocalMachine, kVersionKey, "ProgramFilesDir",
                                bufferSize);
  }
};

TEST_F(LinuxRegistryTest, ANewPrefixRegistryNamesTheUsualProgramFilesFolder) {
  Write(LinuxRegistry::InitialContent());
  EXPECT_EQ(ProgramFiles(), "C:\\Program Files");
}

TEST_F(LinuxRegistryTest, KeyPathsValueNamesAndRootsIgnoreCase) {
  Write("[hklm\\SOFTWARE\\microsoft\\windows\\currentversion\\]\nprogramfilesdir=D:\\Apps\n");
  EXPECT_EQ(ProgramFiles(), "D:\\Apps");
}

TEST_F(LinuxRegistryTest, ValuesAreKeptAsTheyStand) {
  Write(
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
      "ProgramFilesDir=C:\\Program Files (x86) = old \r\n");
  EXPECT_EQ(ProgramFiles(), "C:\\Program Files (x86) = old ");
}

struct MissCase {
  const char* name;
  const char* content;
};

class RegistryMisses : public LinuxRegistryTest, public ::testing::WithParamInterface<MissCase> {};

TEST_P(RegistryMisses, YieldNothing) {
  Write(GetParam().content);
  EXPECT_EQ(ProgramFiles(), std::nullopt) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryMisses,
    ::testing::Values(
        MissCase{"other root",
                 "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion]\n"
                 "ProgramFilesDir=D:\\x\n"},
        MissCase{"other key", "[HKLM\\Software\\Microsoft\\Windows]\nProgramFilesDir=D:\\x\n"},
        MissCase{"subkey",
                 "[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
                 "ProgramFilesDir=D:\\x\n"},
        MissCase{"other value", "[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion]\nOther=1\n"},
        MissCase{"value before any key", "ProgramFilesDir=D:\\x\n"}, MissCase{"empty", ""},
        MissCase{"garbage", "\xff\xfe[[[\n====\n]\n"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (c == ' ') c = '_';
      }
      return name;
    });

TEST_F(LinuxRegistryTest, AValueThatDoesNotFitTheBufferWithItsNulYieldsNothing) {
  Write("[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion]\nProgramFilesDir=12345\n");
  EXPECT_EQ(ProgramFiles(6), "12345");
  EXPECT_EQ(ProgramFiles(5), std::nullopt);
}

TEST_F(LinuxRegistryTest, AMissingOrUnreadableFileYieldsNothing) {
  EXPECT_EQ(ProgramFiles(), std::nullopt);
  std::filesystem::create_directory(file);
  EXPECT_EQ(ProgramFiles(), std::nullopt);
}

}  // namespace
}  // namespace skerrow
