#include "host/maildir/PrefetchedListing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace skerrow::maildir {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::vector<StampedFile>& files) {
  std::vector<std::string> names;
  for (const StampedFile& file : files) names.push_back(file.name);
  return names;
}

// The first take is the listing begun when the object was made, stamps and
// all, as the plain listing gives it; a later take lists again, so that a
// long-running command does not keep the directory as it was at the start.
TEST(PrefetchedListingTest, TheFirstTakeIsTheEarlyListingAndLaterOnesListAgain) {
  TempFolder temp;
  std::ofstream(temp.path() / "b.vcf") << "two";
  std::ofstream(temp.path() / "a.vcf") << "one";
  fs::create_directory(temp.path() / "sub");
  PrefetchedListing listing(temp.path().string());
  const std::vector<StampedFile> first = listing.Take();
  const std::vector<StampedFile> plain = MaildirFiles::ListFilesWithStamps(temp.path().string());
  EXPECT_EQ(Names(first), (std::vector<std::string>{"a.vcf", "b.vcf"}));
  ASSERT_EQ(first.size(), plain.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_TRUE(first[i].stamp == plain[i].stamp) << first[i].name;
  }

  std::ofstream(temp.path() / "c.vcf") << "three";
  EXPECT_EQ(Names(listing.Take()), (std::vector<std::string>{"a.vcf", "b.vcf", "c.vcf"}));
}

// Files past the first chunks are looked up by whichever thread claims them
// first: the listing is still every regular file once, stamped as the plain
// listing stamps it.
TEST(PrefetchedListingTest, AListingOfManyChunksHasEveryFileOnce) {
  TempFolder temp;
  for (int i = 0; i < 1000; ++i) {
    std::ofstream(temp.path() / (std::to_string(i) + ".vcf")) << std::string(i % 7, 'x');
  }
  std::ofstream(temp.path() / ".hidden") << "not listed";
  fs::create_directory(temp.path() / "sub");
  PrefetchedListing listing(temp.path().string());
  const std::vector<StampedFile> taken = listing.Take();
  const std::vector<StampedFile> plain = MaildirFiles::ListFilesWithStamps(temp.path().string());
  ASSERT_EQ(Names(taken), Names(plain));
  ASSERT_EQ(taken.size(), 1000u);
  for (std::size_t i = 0; i < taken.size(); ++i) {
    EXPECT_TRUE(taken[i].stamp == plain[i].stamp) << taken[i].name;
  }
}

}  // namespace
}  // namespace skerrow::maildir
