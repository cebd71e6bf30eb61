#include "winsvc/OpenWithAssociatedProgram.h"

#include <gtest/gtest.h>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class OpenWithAssociatedProgramTest : public ::testing::Test {
 protected:
  bool Open(std::string_view path) {
    return OpenWithAssociatedProgram(world.shell(), world.ui(), path);
  }

  TestPlatform world;
};

TEST_F(OpenWithAssociatedProgramTest, TheShellOpeningTheFileEndsTheOperation) {
  EXPECT_TRUE(Open("C:\\Media\\alarm.mp3"));

  ASSERT_EQ(world.shell().opens.size(), 1u);
  EXPECT_EQ(world.shell().opens[0].verb, "open");
  EXPECT_EQ(world.shell().opens[0].showCommand, sw::kShowNormal);
  EXPECT_TRUE(world.shell().lookups.empty());
  EXPECT_TRUE(world.ui().messages.empty());
}

TEST_F(OpenWithAssociatedProgramTest, AShellResultOf32OrLessFallsBackToTheRegisteredProgram) {
  world.shell().openResult = 32;
  world.shell().associatedProgram = "C:\\Players\\play.exe";

  EXPECT_TRUE(Open("C:\\My Media\\alarm.mp3"));

  ASSERT_EQ(world.shell().lookups.size(), 1u);
  EXPECT_EQ(world.shell().lookups[0].file, "alarm.mp3");
  EXPECT_EQ(world.shell().lookups[0].folder, "C:\\My Media");
  ASSERT_EQ(world.shell().starts.size(), 1u);
  EXPECT_EQ(world.shell().starts[0].commandLine,
            "\"C:\\Players\\play.exe\" \"C:\\My Media\\alarm.mp3\"");
  EXPECT_EQ(world.shell().starts[0].showCommand, sw::kShowNormal);
  EXPECT_TRUE(world.ui().messages.empty());
}

TEST_F(OpenWithAssociatedProgramTest, ABareFileNameIsLookedUpWithoutAFolder) {
  world.shell().openResult = 2;
  world.shell().associatedProgram = "player.exe";

  Open("alarm.mp3");

  ASSERT_EQ(world.shell().lookups.size(), 1u);
  EXPECT_EQ(world.shell().lookups[0].file, "alarm.mp3");
  EXPECT_EQ(world.shell().lookups[0].folder, "");
}

TEST_F(OpenWithAssociatedProgramTest, WhenNothingCanOpenTheFileTheUserSeesItsPath) {
  struct Case {
    const char* name;
    std::optional<std::string> program;
    bool startResult;
  };
  const Case cases[] = {
      {"no registered program", std::nullopt, true},
      {"an empty registered program", std::string(), true},
      {"the program does not start", std::string("C:\\p.exe"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestPlatform world;
    world.shell().openResult = 31;
    world.shell().associatedProgram = c.program;
    world.shell().startResult = c.startResult;

    EXPECT_FALSE(OpenWithAssociatedProgram(world.shell(), world.ui(), "C:\\x\\song.ogg"));

    ASSERT_EQ(world.ui().messages.size(), 1u);
    EXPECT_EQ(world.ui().messages[0].text, "C:\\x\\song.ogg");
    EXPECT_EQ(world.ui().messages[0].caption, "File Open Error:");
    EXPECT_EQ(world.ui().messages[0].style, mb::kIconError);
  }
}

}  // namespace
}  // namespace skerrow
