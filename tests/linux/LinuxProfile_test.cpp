#include "platform/linux/LinuxProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/linux/TextLines.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace skerrow {
namespace {

class LinuxProfileTest : public ::testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path file = folder.path() / "win.ini";
  LinuxProfile profile{file};

  void Write(std::string_view content) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
  }
  std::string Content() { return textlines::ReadFile(file).value_or("<unreadable>"); }
};

struct ReadCase {
  const char* name;
  const char* content;
  const char* section;
  const char* key;
  const char* expected;  // ReadString with the default "dflt"
};

class ProfileReading : public LinuxProfileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileReading, FindsValuesByTheWindowsRules) {
  const ReadCase& c = GetParam();
  Write(c.content);
  EXPECT_EQ(profile.ReadString(c.section, c.key, "dflt", 1024), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileReading,
    ::testing::Values(
        ReadCase{"plain", "[Tamsquil]\nbKey=1\n", "Tamsquil", "bKey", "1"},
        ReadCase{"section case", "[TAMSQUIL]\nbKey=1\n", "tamsquil", "bKey", "1"},
        ReadCase{"key case", "[Tamsquil]\nBKEY=1\n", "Tamsquil", "bkey", "1"},
        ReadCase{"blanks", "  [ Tamsquil ]  \n  bKey  =  a b  \n", "Tamsquil", "bKey", "a b"},
        ReadCase{"double quotes", "[S]\nk=\"Junk E-mail\"\n", "S", "k", "Junk E-mail"},
        ReadCase{"single quotes", "[S]\nk='x'\n", "S", "k", "x"},
        ReadCase{"unmatched quote", "[S]\nk=\"x\n", "S", "k", "\"x"},
        ReadCase{"empty value", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"value with =", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"CR LF lines", "[S]\r\nk=v\r\nj=w\r\n", "S", "k", "v"},
        ReadCase{"no final line end", "[S]\nk=v", "S", "k", "v"},
        ReadCase{"other section", "[T]\nk=v\n", "S", "k", "dflt"},
        ReadCase{"key of the next section", "[S]\nj=1\n[T]\nk=v\n", "S", "k", "dflt"},
        ReadCase{"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        ReadCase{"first section wins", "[S]\nk=1\n[S]\nk=2\nj=3\n", "S", "j", "dflt"},
        ReadCase{"comment", "[S]\n;k=1\n", "S", "k", "dflt"},
        ReadCase{"line without =", "[S]\nk\n", "S", "k", "dflt"},
        ReadCase{"key before any section", "k=1\n[S]\n", "S", "k", "dflt"},
        ReadCase{"garbage", "\x01\xff\x02[S\xfe\n=\n[]\n]]]\nk", "S", "k", "dflt"},
        ReadCase{"garbage around", "\xff\x7f\x13\n[S]\nk=v\n\x1b\x08", "S", "k", "v"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST_F(LinuxProfileTest, AMissingFileYieldsTheDefaults) {
  EXPECT_EQ(profile.ReadString("S", "k", "dflt", 1024), "dflt");
  EXPECT_EQ(profile.ReadInt("S", "k", 7), 7);
}

TEST_F(LinuxProfileTest, AProfileThatIsAFolderYieldsTheDefaultsAndCannotBeWritten) {
  std::filesystem::create_directory(file);
  EXPECT_EQ(profile.ReadInt("S", "k", 7), 7);
  EXPECT_FALSE(profile.WriteString("S", "k", "1"));
}

struct IntCase {
  const char* value;
  std::int32_t expected;
};

class ProfileIntegers : public LinuxProfileTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(ProfileIntegers, ReadTheLeadingIntegerOfTheText) {
  Write(std::string("[S]\nk=") + GetParam().value + "\n");
  EXPECT_EQ(profile.ReadInt("S", "k", 99), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileIntegers,
    ::testing::Values(IntCase{"0", 0}, IntCase{"1", 1}, IntCase{"42", 42}, IntCase{"-7", -7},
                      IntCase{"+4", 4}, IntCase{"12abc", 12}, IntCase{"abc", 0}, IntCase{"", 0},
                      IntCase{"0x10", 0}, IntCase{"-", 0}, IntCase{"2147483647", 2147483647},
                      IntCase{"4294967297", 1}, IntCase{"99999999999999999999999", -159383553}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(p.value, info.index);
    });

TEST_F(LinuxProfileTest, ReadStringCutsTheValueToTheBuffer) {
  Write("[S]\nk=abcdefgh\n");
  EXPECT_EQ(profile.ReadString("S", "k", "", 5), "abcd");
  EXPECT_EQ(profile.ReadString("S", "k", "", 9), "abcdefgh");
  EXPECT_EQ(profile.ReadString("S", "missing", "0123456789", 4), "012");
  EXPECT_EQ(profile.ReadString("S", "k", "dflt", 0), "");
}

TEST_F(LinuxProfileTest, WritingCreatesTheFileWithTheSectionAndKey) {
  ASSERT_TRUE(profile.WriteString("Tamsquil", "bKey", "1"));
  EXPECT_EQ(Content(), "[Tamsquil]\nbKey=1\n");
  EXPECT_EQ(profile.ReadInt("Tamsquil", "bKey", 0), 1);
}

struct WriteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

class ProfileWriting : public LinuxProfileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWriting, ChangesOnlyTheKeyLine) {
  const WriteCase& c = GetParam();
  Write(c.before);
  ASSERT_TRUE(profile.WriteString(c.section, c.key, c.value)) << c.name;
  EXPECT_EQ(Content(), c.after) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWriting,
    ::testing::Values(
        WriteCase{"replace", "; top\n[S]\na=1\nk=old\nb=2\n[T]\nk=3\n", "S", "k", "new",
                  "; top\n[S]\na=1\nk=new\nb=2\n[T]\nk=3\n"},
        WriteCase{"replace other case", "[s]\nK = old\n", "S", "k", "x", "[s]\nk=x\n"},
        WriteCase{"add to section", "[S]\na=1\n\n[T]\nb=2\n", "S", "k", "v",
                  "[S]\na=1\nk=v\n\n[T]\nb=2\n"},
        WriteCase{"add to last section", "[T]\nb=2\n[S]\na=1\n", "S", "k", "v",
                  "[T]\nb=2\n[S]\na=1\nk=v\n"},
        WriteCase{"add to empty section", "[S]\n[T]\n", "S", "k", "v", "[S]\nk=v\n[T]\n"},
        WriteCase{"add section", "[T]\nb=2\n", "S", "k", "v", "[T]\nb=2\n[S]\nk=v\n"},
        WriteCase{"no final line end", "[T]\nb=2", "S", "k", "v", "[T]\nb=2\n[S]\nk=v\n"},
        WriteCase{"replace last line", "[S]\nk=1", "S", "k", "2", "[S]\nk=2\n"},
        WriteCase{"CR LF kept", "[S]\r\na=1\r\n", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        // The CR of a last line cut after it is that line's end, not part
        // of its value: it is completed, not followed by another.
        WriteCase{"last line cut after its CR", "[S]\r\na=1\r", "T", "k", "v",
                  "[S]\r\na=1\r\n[T]\r\nk=v\r\n"}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST_F(LinuxProfileTest, BinaryGarbageYieldsTheDefaults) {
  Write(std::string("\x00\xff[S]\x00k=1\n\x00", 11));
  EXPECT_EQ(profile.ReadInt("S", "k", 5), 5);
}

TEST_F(LinuxProfileTest, GarbageIsKeptByteForByteAndTheNewKeyReadsBack) {
  const std::string garbage("\xff\x00garbage\x01\n", 11);
  Write(garbage);
  ASSERT_TRUE(profile.WriteString("S", "k", "v"));
  EXPECT_EQ(Content(), garbage + "[S]\nk=v\n");
  EXPECT_EQ(profile.ReadString("S", "k", "", 1024), "v");
}

TEST_F(LinuxProfileTest, TextThatWouldBreakTheFileApartIsRefusedAndChangesNothing) {
  Write("[S]\nk=1\n");
  const std::pair<const char*, std::string> refused[] = {
      {"k", "a\nbShowToolbar=0"},
      {"k", "a\rb"},
      {"k\n[T]", "1"},
      {"a=b", "1"},
      {"[k]", "1"},
      {"", "1"},
      {";k", "1"},
      {"k", std::string("a\0b", 3)},
  };
  for (const auto& [key, value] : refused) {
    EXPECT_FALSE(profile.WriteString("S", key, value)) << key << " " << value;
  }
  EXPECT_FALSE(profile.WriteString("S]x", "k", "1"));
  EXPECT_FALSE(profile.WriteString("S\nT", "k", "1"));
  EXPECT_EQ(Content(), "[S]\nk=1\n");
}

TEST_F(LinuxProfileTest, SeveralKeysAreWrittenAllOrNone) {
  Write("[S]\nk=1\n");
  EXPECT_FALSE(profile.WriteStrings("S", {{"k", "2"}, {"bad", "a\nb"}, {"m", "3"}}));
  EXPECT_EQ(Content(), "[S]\nk=1\n");
  ASSERT_TRUE(profile.WriteStrings("S", {{"k", "2"}, {"m", "3"}, {"k", "4"}}));
  EXPECT_EQ(Content(), "[S]\nk=4\nm=3\n");
}

TEST_F(LinuxProfileTest, AFolderThatCannotBeWrittenMakesWritingFail) {
  LinuxProfile nowhere(folder.path() / "missing" / "win.ini");
  EXPECT_FALSE(nowhere.WriteString("S", "k", "1"));
  EXPECT_EQ(nowhere.ReadInt("S", "k", 3), 3);
}

TEST_F(LinuxProfileTest, WritingLeavesNoTemporaryFileBehind) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(profile.WriteString("S", "k" + std::to_string(i), "1"));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_EQ(entry.path().filename(), "win.ini");
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace skerrow
