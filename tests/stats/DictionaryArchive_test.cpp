#include "stats/DictionaryArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// Collects what an archive stores; can be told to refuse writes.
class CollectingFile : public ReplacementFile {
 public:
  std::string bytes;
  int writes = 0;
  bool refuseWrites = false;
  bool Write(const void* data, std::size_t size) override {
    ++writes;
    if (refuseWrites) return false;
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  bool Commit() override { return true; }
};

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

std::string Stored(std::string text) {
  CollectingFile file;
  DictionaryArchive archive(file);
  EXPECT_TRUE(archive.String(text));
  EXPECT_TRUE(archive.Flush());
  return file.bytes;
}

std::string StoredCount(std::uint32_t count) {
  CollectingFile file;
  DictionaryArchive archive(file);
  EXPECT_TRUE(archive.Count(count));
  EXPECT_TRUE(archive.Flush());
  return file.bytes;
}

class DictionaryArchiveTest : public testing::Test {
 protected:
  TestPlatform world_;
};

struct LengthPrefix {
  std::size_t length;
  std::string prefix;
};

TEST_F(DictionaryArchiveTest, StoresStringLengthsWithThePrefixTheirSizeCallsFor) {
  const LengthPrefix cases[] = {
      {0, Bytes({0x00})},
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {65533, Bytes({0xFF, 0xFD, 0xFF})},
      {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
  };
  for (const LengthPrefix& c : cases) {
    const std::string text(c.length, 'x');
    const std::string bytes = Stored(text);
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;

    DictionaryArchive loading(bytes, world_.codePage());
    std::string loaded;
    EXPECT_TRUE(loading.String(loaded));
    EXPECT_EQ(loaded, text) << c.length;
    EXPECT_EQ(loading.Remaining(), 0u);
  }
}

TEST_F(DictionaryArchiveTest, StoresCountsInSixteenBitsBelow65535) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {0, Bytes({0x00, 0x00})},
      {65534, Bytes({0xFE, 0xFF})},
      {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
      {0x12345678, Bytes({0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12})},
  };
  for (const auto& [count, bytes] : cases) {
    EXPECT_EQ(StoredCount(count), bytes) << count;
    DictionaryArchive loading(bytes, world_.codePage());
    std::uint32_t loaded = 0;
    EXPECT_TRUE(loading.Count(loaded));
    EXPECT_EQ(loaded, count);
  }
}

TEST_F(DictionaryArchiveTest, StoresIntegersLittleEndianWithTheirSign) {
  CollectingFile file;
  DictionaryArchive archive(file);
  std::int32_t value = -2;
  ASSERT_TRUE(archive.Int32(value));
  ASSERT_TRUE(archive.Flush());
  EXPECT_EQ(file.bytes, Bytes({0xFE, 0xFF, 0xFF, 0xFF}));

  DictionaryArchive loading(file.bytes, world_.codePage());
  std::int32_t loaded = 0;
  EXPECT_TRUE(loading.Int32(loaded));
  EXPECT_EQ(loaded, -2);
}

TEST_F(DictionaryArchiveTest, LoadsAWideStringAsTheSameTextInTheCodePage) {
  // "Café" as UTF-16LE, with the wide marker and a one-byte length.
  const std::string bytes =
      Bytes({0xFF, 0xFE, 0xFF, 0x04, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0x00, 'Z'});
  DictionaryArchive loading(bytes, world_.codePage());
  std::string text;
  ASSERT_TRUE(loading.String(text));
  EXPECT_EQ(text, "Caf\xE9");
  EXPECT_EQ(loading.Remaining(), 1u);
}

TEST_F(DictionaryArchiveTest, LoadsAWideStringWithASixteenBitLength) {
  std::string bytes = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01});  // 256 units
  for (int i = 0; i < 256; ++i) bytes += Bytes({'w', 0});
  DictionaryArchive loading(bytes, world_.codePage());
  std::string text;
  ASSERT_TRUE(loading.String(text));
  EXPECT_EQ(text, std::string(256, 'w'));
}

TEST_F(DictionaryArchiveTest, LoadsSixtyFourBitLengthsUpToTheSignedLimit) {
  const std::string small =
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'});
  DictionaryArchive loading(small, world_.codePage());
  std::string text;
  EXPECT_TRUE(loading.String(text));
  EXPECT_EQ(text, "abc");

  const std::string tooLong =
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0, 'a'});
  DictionaryArchive refusing(tooLong, world_.codePage());
  EXPECT_FALSE(refusing.String(text));
}

TEST_F(DictionaryArchiveTest, RefusesALengthTheRestOfTheFileCannotHoldAndStopsAtTheEnd) {
  const std::string cases[] = {
      Bytes({0x05, 'a', 'b'}),
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),              // 2 GB narrow
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),  // 4 GB wide
      Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'}),                        // half a code unit short
  };
  for (const std::string& bytes : cases) {
    DictionaryArchive loading(bytes, world_.codePage());
    std::string text = "untouched";
    EXPECT_FALSE(loading.String(text));
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(loading.Remaining(), 0u);
  }
}

TEST_F(DictionaryArchiveTest, FailsEveryReadPastTheEnd) {
  const std::string bytes = Bytes({0x01, 0x02, 0x03});
  DictionaryArchive loading(bytes, world_.codePage());
  std::int32_t value = 7;
  EXPECT_FALSE(loading.Int32(value));
  EXPECT_EQ(loading.Remaining(), 0u);
  std::uint32_t count = 0;
  EXPECT_FALSE(loading.Count(count));
}

TEST_F(DictionaryArchiveTest, WritesThroughAFourKilobyteBuffer) {
  CollectingFile file;
  DictionaryArchive archive(file);
  std::string text(5000, 'q');
  ASSERT_TRUE(archive.String(text));
  EXPECT_EQ(file.writes, 1);
  EXPECT_EQ(file.bytes.size(), 4096u);
  ASSERT_TRUE(archive.Flush());
  EXPECT_EQ(file.bytes.size(), 5003u);
}

TEST_F(DictionaryArchiveTest, ReportsAWriteTheFileRefused) {
  CollectingFile file;
  file.refuseWrites = true;
  DictionaryArchive archive(file);
  std::int32_t value = 1;
  EXPECT_TRUE(archive.Int32(value));  // still in the buffer
  EXPECT_FALSE(archive.Flush());
  std::string text(5000, 'q');
  EXPECT_FALSE(archive.String(text));
}

}  // namespace
}  // namespace skerrow
