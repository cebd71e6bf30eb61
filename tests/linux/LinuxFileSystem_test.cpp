#include "platform/linux/LinuxFileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class LinuxFileSystemTest : public ::testing::Test {
 protected:
  TestPlatform world;
  LinuxFileSystem& files = world.files();

  std::size_t EntriesIn(std::string_view windowsFolder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(world.HostPath(windowsFolder))) {
      ++count;
    }
    return count;
  }
};

TEST_F(LinuxFileSystemTest, AppendingCreatesTheFileAndAddsToItsEnd) {
  EXPECT_TRUE(files.AppendText("C:\\Skerrowlog.txt", "one\n"));
  EXPECT_TRUE(files.AppendText("C:\\Skerrowlog.txt", "two\n"));
  EXPECT_EQ(world.ReadFile("C:\\Skerrowlog.txt"), "one\ntwo\n");
  EXPECT_TRUE(std::filesystem::exists(world.prefix().Root() / "drive_c/Skerrowlog.txt"));
}

TEST_F(LinuxFileSystemTest, AppendingFailsWithoutAFolderOrAMappablePath) {
  EXPECT_FALSE(files.AppendText("C:\\No such folder\\log.txt", "x"));
  EXPECT_FALSE(files.AppendText("C:\\..\\outside.txt", "x"));
  EXPECT_FALSE(files.AppendText("C:\\", "x"));
  EXPECT_FALSE(std::filesystem::exists(world.prefix().Root() / "outside.txt"));
}

TEST_F(LinuxFileSystemTest, ReadingSomethingThatIsNotAFileYieldsNothing) {
  EXPECT_EQ(files.ReadAll("C:\\missing.bin"), std::nullopt);
  EXPECT_EQ(files.ReadAll("C:\\Program Files"), std::nullopt);
  EXPECT_EQ(files.ReadAll("relative.bin"), std::nullopt);
}

TEST_F(LinuxFileSystemTest, ReadingKeepsEveryByte) {
  const std::string bytes("\0\x01\xff\r\n\x1a", 6);
  world.WriteFile("C:\\data.bin", bytes);
  EXPECT_EQ(files.ReadAll("c:\\DATA.BIN"), bytes);
}

TEST_F(LinuxFileSystemTest, ACommittedReplacementTakesThePlaceOfTheOldFile) {
  world.WriteFile("C:\\dict.bin", "old");
  std::unique_ptr<ReplacementFile> replacement = files.CreateReplacement("C:\\dict.bin");
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(replacement->Write("new ", 4));
  EXPECT_TRUE(replacement->Write("bytes", 5));
  EXPECT_EQ(world.ReadFile("C:\\dict.bin"), "old");
  EXPECT_TRUE(replacement->Commit());
  EXPECT_EQ(world.ReadFile("C:\\dict.bin"), "new bytes");
  replacement.reset();
  EXPECT_EQ(world.ReadFile("C:\\dict.bin"), "new bytes");
}

TEST_F(LinuxFileSystemTest, AnUncommittedReplacementLeavesTheOldFileAndNoTrace) {
  world.WriteFile("C:\\Folder\\dict.bin", "old");
  {
    std::unique_ptr<ReplacementFile> replacement = files.CreateReplacement("C:\\Folder\\dict.bin");
    ASSERT_NE(replacement, nullptr);
    EXPECT_TRUE(replacement->Write("half", 4));
  }
  EXPECT_EQ(world.ReadFile("C:\\Folder\\dict.bin"), "old");
  EXPECT_EQ(EntriesIn("C:\\Folder"), 1u);
}

TEST_F(LinuxFileSystemTest, AReplacementCreatesAMissingFile) {
  std::unique_ptr<ReplacementFile> replacement = files.CreateReplacement("C:\\new.bin");
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(replacement->Commit());
  EXPECT_EQ(world.ReadFile("C:\\new.bin"), "");
  EXPECT_EQ(std::filesystem::status(world.HostPath("C:\\new.bin")).permissions() &
                std::filesystem::perms::owner_read,
            std::filesystem::perms::owner_read);
}

TEST_F(LinuxFileSystemTest, AReplacementCommitsOnceAndTakesNoWritesAfterwards) {
  std::unique_ptr<ReplacementFile> replacement = files.CreateReplacement("C:\\once.bin");
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(replacement->Commit());
  EXPECT_FALSE(replacement->Write("x", 1));
  EXPECT_FALSE(replacement->Commit());
  EXPECT_EQ(world.ReadFile("C:\\once.bin"), "");
}

TEST_F(LinuxFileSystemTest, NoReplacementWithoutAFolder) {
  EXPECT_EQ(files.CreateReplacement("C:\\missing\\dict.bin"), nullptr);
  EXPECT_EQ(files.CreateReplacement("C:\\..\\dict.bin"), nullptr);
}

}  // namespace
}  // namespace skerrow
