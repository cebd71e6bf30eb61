#include "platform/linux/LinuxPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "options/FilterOptions.h"
#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

TEST(LinuxPlatform, OpeningCreatesThePrefixAndItsServicesWorkInIt) {
  TempFolder folder;
  std::string error;
  std::unique_ptr<LinuxPlatform> home = LinuxPlatform::Open(folder.path() / "home", 1252, &error);
  ASSERT_NE(home, nullptr) << error;
  Platform& platform = home->platform();

  FilterOptions options;
  options.LocateInstallFolder(platform.registry, platform.profile);
  EXPECT_EQ(options.InstallFolder, "C:\\Program Files\\Quelbrik\\Skerrowdir");
  options.SaveOptions(platform.profile);
  EXPECT_TRUE(std::filesystem::file_size(folder.path() / "home/win.ini") > 0);

  EXPECT_TRUE(platform.files.AppendText("C:\\Skerrowlog.txt", "x\n"));
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "home/drive_c/Skerrowlog.txt"));
  EXPECT_EQ(platform.codePage.Id(), 1252u);
  EXPECT_TRUE(platform.clock.Now().valid);
  EXPECT_TRUE(platform.clipboard.PutBitmap(7));
  EXPECT_EQ(platform.clipboard.Bitmap(), 7);
}

TEST(LinuxPlatform, AnUnsupportedCodePageIsRefusedWithAReason) {
  TempFolder folder;
  std::string error;
  EXPECT_EQ(LinuxPlatform::Open(folder.path(), 65001, &error), nullptr);
  EXPECT_NE(error.find("65001"), std::string::npos) << error;
}

TEST(LinuxPlatform, APrefixThatCannotBeCreatedIsRefusedWithAReason) {
  TempFolder folder;
  std::filesystem::path file = folder.path() / "file";
  std::FILE* out = std::fopen(file.c_str(), "w");
  ASSERT_NE(out, nullptr);
  std::fclose(out);
  std::string error;
  EXPECT_EQ(LinuxPlatform::Open(file / "home", 1252, &error), nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace skerrow
