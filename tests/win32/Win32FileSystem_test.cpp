#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>

#include "base/ErrorLog.h"
#include "options/FilterOptions.h"
#include "tests/win32/TestFolder.h"

namespace skerrow {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TestFolder folder;
  Win32FileSystem files;
  std::string dictionary = folder.Path("Tamsquill.bin");
  const std::vector<std::string> onlyTheDictionary{"Tamsquill.bin"};

  std::unique_ptr<ReplacementFile> Replace(const std::string& bytes) {
    std::unique_ptr<ReplacementFile> replacement = files.CreateReplacement(dictionary);
    if (replacement == nullptr) {
      ADD_FAILURE() << "no replacement for " << dictionary;
    } else {
      EXPECT_TRUE(replacement->Write(bytes.data(), bytes.size()));
    }
    return replacement;
  }
};

struct FixedClock : Clock {
  LocalTime Now() override { return {2026, 12, 7, 13, 50, 2, true}; }
};

TEST_F(Win32FileSystemTest, TheErrorLogEndsItsLinesWithCrLf) {
  FilterOptions options;
  options.bErrorLog = 1;
  options.LogFilePath = folder.Path("Skerrowlog.txt");
  FixedClock clock;
  ErrorLog log(files, clock, options);
  log.LogFailure(-2147467259, 200408);
  log.LogFailure(-1, 2007011);
  EXPECT_EQ(files.ReadAll(options.LogFilePath),
            "[12/07/26 13:50 ]\tPlace:200408\tCode: -2147467259\tHex: 0x80004005\r\n"
            "[12/07/26 13:50 ]\tPlace:2007011\tCode: -1\tHex: 0xffffffff\r\n");
}

TEST_F(Win32FileSystemTest, ReadingKeepsEveryByteAndYieldsNothingForAFolder) {
  const std::string bytes("\0\x01\xff\r\n\x1a\n", 7);
  TestFolder::Write(dictionary, bytes);
  EXPECT_EQ(files.ReadAll(dictionary), bytes);
  EXPECT_EQ(files.ReadAll(folder.Path("")), std::nullopt);
}

TEST_F(Win32FileSystemTest, FilesAndFoldersExistAndRenamesReplace) {
  EXPECT_FALSE(files.Exists(dictionary));
  EXPECT_TRUE(files.Exists(folder.Path("")));
  TestFolder::Write(folder.Path("new.bin"), "new");
  TestFolder::Write(dictionary, "old");
  EXPECT_TRUE(files.Exists(dictionary));
  EXPECT_TRUE(files.RenameFile(folder.Path("new.bin"), dictionary));
  EXPECT_FALSE(files.RenameFile(folder.Path("new.bin"), dictionary));
  EXPECT_EQ(files.ReadAll(dictionary), "new");
  EXPECT_EQ(folder.Entries(), onlyTheDictionary);
}

TEST_F(Win32FileSystemTest, AReadOnlyFileIsNeverReplaced) {
  TestFolder::Write(dictionary, "kept");
  SetFileAttributesA(dictionary.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(files.CreateReplacement(dictionary), nullptr);
  SetFileAttributesA(dictionary.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::unique_ptr<ReplacementFile> replacement = Replace("new");
  SetFileAttributesA(dictionary.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(replacement->Commit());
  SetFileAttributesA(dictionary.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(files.ReadAll(dictionary), "kept");
  EXPECT_EQ(folder.Entries(), onlyTheDictionary);
}

TEST_F(Win32FileSystemTest, ACommittedReplacementSwapsInTheWholeFileOnce) {
  TestFolder::Write(dictionary, "old");
  std::unique_ptr<ReplacementFile> replacement = Replace("new ");
  EXPECT_TRUE(replacement->Write("bytes", 5));
  EXPECT_EQ(files.ReadAll(dictionary), "old");
  EXPECT_TRUE(replacement->Commit());
  EXPECT_FALSE(replacement->Write("x", 1));
  EXPECT_FALSE(replacement->Commit());
  replacement.reset();
  EXPECT_EQ(files.ReadAll(dictionary), "new bytes");
  EXPECT_EQ(folder.Entries(), onlyTheDictionary);
}

TEST_F(Win32FileSystemTest, AReplacementCreatesAMissingFile) {
  EXPECT_TRUE(Replace("first")->Commit());
  EXPECT_EQ(files.ReadAll(dictionary), "first");
  EXPECT_EQ(folder.Entries(), onlyTheDictionary);
}

TEST_F(Win32FileSystemTest, AnUncommittedReplacementLeavesTheOldFileAndNoTrace) {
  TestFolder::Write(dictionary, "old");
  Replace("half");
  EXPECT_EQ(files.ReadAll(dictionary), "old");
  EXPECT_EQ(folder.Entries(), onlyTheDictionary);
}

TEST_F(Win32FileSystemTest, AReplacementThatCannotBeSwappedInLeavesTheOldFileAndNoTrace) {
  TestFolder::Write(dictionary, "old");
  // Someone reads the old file and shares it with no one who would delete it.
  HANDLE reader = CreateFileA(dictionary.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(Replace("new")->Commit());
  CloseHandle(reader);
  EXPECT_EQ(files.ReadAll(dictionary), "old");
  // (Wine's ReplaceFileW leaves an empty file of its own, "rf*.tmp", here.)
  for (const std::string& name : folder.Entries()) {
    EXPECT_TRUE(name == "Tamsquill.bin" || name.rfind("rf", 0) == 0) << name;
  }
}

}  // namespace
}  // namespace skerrow
