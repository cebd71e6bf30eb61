#include "spamfolder/TaughtMessages.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/MemoryFileSystem.h"

namespace skerrow {
namespace {

constexpr const char* kPath = "C:\\Skerrowdir\\Tamsquill.taught";

std::u16string Id(std::size_t n) {
  std::u16string id = u"id";
  for (const char c : std::to_string(n)) id += static_cast<char16_t>(c);
  return id;
}

TEST(TaughtMessagesTest, KeepsTheMostRecentIdsUpToItsLimit) {
  TaughtMessages taught;
  for (std::size_t n = 0; n < TaughtMessages::kLimit; ++n) taught.Remember(Id(n));
  taught.Remember(Id(0));  // met again: the most recent now
  taught.Remember(Id(TaughtMessages::kLimit));
  EXPECT_EQ(taught.Size(), TaughtMessages::kLimit);
  EXPECT_TRUE(taught.Contains(Id(0)));
  EXPECT_FALSE(taught.Contains(Id(1)));
  EXPECT_TRUE(taught.Contains(Id(TaughtMessages::kLimit)));
}

TEST(TaughtMessagesTest, RecordsNoEmptyOrOverlongId) {
  TaughtMessages taught;
  taught.Remember(u"");
  taught.Remember(std::u16string(TaughtMessages::kLongestId + 1, u'x'));
  taught.Remember(u"two\nlines");
  EXPECT_EQ(taught.Size(), 0u);
  taught.Remember(std::u16string(TaughtMessages::kLongestId, u'x'));
  EXPECT_EQ(taught.Size(), 1u);
}

TEST(TaughtMessagesTest, OutlivesTheConnectionInItsFileInTheSameOrder) {
  MemoryFileSystem files;
  TaughtMessages first;
  first.Remember(u"1481046912.M1P2Q3.host");
  first.Remember(u"\u00e9t\u00e9");
  first.Remember(u"0000000012AB");
  first.Forget(u"0000000012AB");
  ASSERT_TRUE(first.Save(files, kPath));
  EXPECT_EQ(files.files.at(kPath), "1481046912.M1P2Q3.host\n\xC3\xA9t\xC3\xA9\n");

  TaughtMessages second;
  second.Remember(u"stale");
  second.Load(files, kPath);
  EXPECT_EQ(second.Size(), 2u);
  EXPECT_TRUE(second.Contains(u"\u00e9t\u00e9"));
  EXPECT_FALSE(second.Contains(u"stale"));
}

TEST(TaughtMessagesTest, ADamagedFileGivesWhatIsSoundInIt) {
  MemoryFileSystem files;
  files.files[kPath] =
      "a\r\n\n\xFF\xFE\n" + std::string(TaughtMessages::kLongestId + 1, 'x') + "\nb";
  TaughtMessages taught;
  taught.Load(files, kPath);
  EXPECT_EQ(taught.Size(), 2u);
  EXPECT_TRUE(taught.Contains(u"a"));
  EXPECT_TRUE(taught.Contains(u"b"));
}

TEST(TaughtMessagesTest, AFailedWriteKeepsTheOldFile) {
  MemoryFileSystem files;
  files.files[kPath] = "old\n";
  TaughtMessages taught;
  taught.Remember(u"new");
  files.refuseCommit = true;
  EXPECT_FALSE(taught.Save(files, kPath));
  files.refuseCommit = false;
  files.refuseCreate = true;
  EXPECT_FALSE(taught.Save(files, kPath));
  EXPECT_EQ(files.files.at(kPath), "old\n");
}

// Every connection saves the record at its end; most change nothing in it.
TEST(TaughtMessagesTest, IsWrittenOnlyWhenChangedSinceLoadedOrSaved) {
  MemoryFileSystem files;
  files.files[kPath] = "a\nb\n";
  TaughtMessages taught;
  taught.Load(files, kPath);
  files.refuseCreate = true;  // a write would fail
  taught.Remember(u"b");      // the most recent already
  taught.Forget(u"absent");
  EXPECT_TRUE(taught.Save(files, kPath));
  taught.Remember(u"a");
  EXPECT_FALSE(taught.Save(files, kPath));
  files.refuseCreate = false;
  ASSERT_TRUE(taught.Save(files, kPath));
  EXPECT_EQ(files.files.at(kPath), "b\na\n");
  files.refuseCreate = true;
  EXPECT_TRUE(taught.Save(files, kPath));
}

}  // namespace
}  // namespace skerrow
