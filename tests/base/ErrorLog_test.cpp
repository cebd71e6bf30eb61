#include "base/ErrorLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/HResult.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class ErrorLogTest : public ::testing::Test {
 protected:
  TestPlatform world;
  ErrorLogTest() {
    world.options().bErrorLog = 1;
    world.clock().now = LocalTime{2026, 12, 7, 13, 50, 42, true};
  }
  std::optional<std::string> Log() { return world.ReadFile("C:\\Skerrowlog.txt"); }
};

TEST_F(ErrorLogTest, AFailureIsWrittenAsOneTabSeparatedLine) {
  world.log().LogFailure(hr::kFail, 200408);
  EXPECT_EQ(Log(), "[12/07/26 13:50 ]\tPlace:200408\tCode: -2147467259\tHex: 0x80004005\n");
}

struct LineCase {
  std::int32_t code;
  std::int32_t place;
  const char* afterTime;
};

class ErrorLogLines : public ErrorLogTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ErrorLogLines, WriteThePlaceAndTheCodeInDecimalAndHex) {
  world.log().LogFailure(GetParam().code, GetParam().place);
  EXPECT_EQ(Log(), std::string("[12/07/26 13:50 ]") + GetParam().afterTime);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorLogLines,
    ::testing::Values(LineCase{-1, 300301, "\tPlace:300301\tCode: -1\tHex: 0xffffffff\n"},
                      LineCase{hr::kNoInterface, 2004051,
                               "\tPlace:2004051\tCode: -2147467262\tHex: 0x80004002\n"},
                      LineCase{static_cast<std::int32_t>(0x80000000u), 100101,
                               "\tPlace:100101\tCode: -2147483648\tHex: 0x80000000\n"},
                      LineCase{-16, 201701, "\tPlace:201701\tCode: -16\tHex: 0xfffffff0\n"}),
    [](const auto& info) {
      const auto& p = info.param;
      return CaseName(std::to_string(p.place), info.index);
    });

TEST_F(ErrorLogTest, TheTimeStampHasTwoDigitFieldsAndABlankBeforeTheBracket) {
  world.clock().now = LocalTime{2009, 1, 2, 3, 4, 5, true};
  world.log().LogFailure(-1, 200401);
  EXPECT_EQ(Log(), "[01/02/09 03:04 ]\tPlace:200401\tCode: -1\tHex: 0xffffffff\n");
}

TEST_F(ErrorLogTest, AnInvalidTimeIsWrittenAsInvalidDateTime) {
  world.clock().now = LocalTime{};
  world.log().LogFailure(-1, 200401);
  EXPECT_EQ(Log(), "Invalid DateTime\tPlace:200401\tCode: -1\tHex: 0xffffffff\n");
}

TEST_F(ErrorLogTest, SuccessesAreNeverWritten) {
  for (std::int32_t code : {0, 1, 0x7fffffff}) world.log().LogFailure(code, 200401);
  EXPECT_EQ(Log(), std::nullopt);
}

TEST_F(ErrorLogTest, NothingIsWrittenWithTheLogSwitchedOff) {
  world.options().bErrorLog = 0;
  for (int i = 0; i < 20; ++i) world.log().LogFailure(hr::kFail, 200401 + i);
  EXPECT_EQ(Log(), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(world.HostPath("C:\\Skerrowlog.txt")));
}

TEST_F(ErrorLogTest, SwitchingTheLogOnTakesEffectWithTheNextFailure) {
  world.options().bErrorLog = 0;
  world.log().LogFailure(-1, 200401);
  world.options().bErrorLog = 1;
  world.log().LogFailure(-1, 200402);
  EXPECT_EQ(Log(), "[12/07/26 13:50 ]\tPlace:200402\tCode: -1\tHex: 0xffffffff\n");
}

TEST_F(ErrorLogTest, LinesAreAppendedToWhatTheFileHolds) {
  world.WriteFile("C:\\Skerrowlog.txt", "earlier line\n");
  world.log().LogFailure(-1, 200401);
  world.log().LogFailure(-1, 200402);
  EXPECT_EQ(Log(),
            "earlier line\n"
            "[12/07/26 13:50 ]\tPlace:200401\tCode: -1\tHex: 0xffffffff\n"
            "[12/07/26 13:50 ]\tPlace:200402\tCode: -1\tHex: 0xffffffff\n");
}

TEST_F(ErrorLogTest, ALogThatCannotBeOpenedLosesTheLineSilently) {
  std::filesystem::create_directory(world.HostPath("C:\\Skerrowlog.txt"));
  world.log().LogFailure(hr::kFail, 200408);
  world.options().LogFilePath = "C:\\No such folder\\Skerrowlog.txt";
  world.log().LogFailure(hr::kFail, 200408);
  world.options().LogFilePath = "not a windows path";
  world.log().LogFailure(hr::kFail, 200408);
  EXPECT_TRUE(std::filesystem::is_directory(world.HostPath("C:\\Skerrowlog.txt")));
  EXPECT_FALSE(std::filesystem::exists(world.HostPath("C:\\No such folder")));
}

}  // namespace
}  // namespace skerrow
