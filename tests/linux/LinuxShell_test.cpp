#include "platform/linux/LinuxShell.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// Waits (up to a generous limit) for a file that a background process writes.
bool AppearsSoon(const std::filesystem::path& file) {
  for (int i = 0; i < 500; ++i) {
    if (std::filesystem::exists(file)) return true;
    ::usleep(10000);
  }
  return false;
}

class LinuxShellTest : public ::testing::Test {
 protected:
  TestPlatform world;
};

TEST_F(LinuxShellTest, OpeningAnExistingFileStartsTheOpener) {
  world.WriteFile("C:\\sound.mp3", "x");
  LinuxShell shell(world.prefix(), "true");
  EXPECT_GT(shell.OpenWithShell("open", "C:\\sound.mp3", 1), 32);
  EXPECT_GT(shell.OpenWithShell("", "C:\\sound.mp3", 1), 32);
}

TEST_F(LinuxShellTest, TheOpenerGetsTheHostPathOfTheFile) {
  world.WriteFile("C:\\Program Files\\Quelbrik\\Skerrowdir\\Skerrow.chm", "help");
  std::filesystem::path script = world.HostPath("C:\\opener.sh");
  std::filesystem::path seen = world.HostPath("C:\\seen.txt");
  world.WriteFile("C:\\opener.sh", "#!/bin/sh\nprintf '%s' \"$1\" > '" + seen.string() + "'\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  LinuxShell shell(world.prefix(), script.string());
  ASSERT_GT(shell.OpenWithShell("open", "C:\\Program Files\\Quelbrik\\Skerrowdir\\Skerrow.chm", 1),
            32);
  ASSERT_TRUE(AppearsSoon(seen));
  ::usleep(50000);  // let the writer finish its line
  EXPECT_EQ(world.ReadFile("C:\\seen.txt"),
            world.HostPath("C:\\Program Files\\Quelbrik\\Skerrowdir\\Skerrow.chm").string());
}

TEST_F(LinuxShellTest, OpeningFailsWithoutFileOpenerOrKnownVerb) {
  world.WriteFile("C:\\sound.mp3", "x");
  LinuxShell shell(world.prefix(), "true");
  EXPECT_LE(shell.OpenWithShell("open", "C:\\missing.mp3", 1), 32);
  EXPECT_LE(shell.OpenWithShell("open", "C:\\..\\x", 1), 32);
  EXPECT_LE(shell.OpenWithShell("print", "C:\\sound.mp3", 1), 32);
  LinuxShell withoutOpener(world.prefix(), "no-such-opener-program");
  EXPECT_EQ(withoutOpener.OpenWithShell("open", "C:\\sound.mp3", 1), LinuxShell::kNoAssociation);
}

TEST_F(LinuxShellTest, NoProgramIsAssociatedWithAnything) {
  LinuxShell shell(world.prefix());
  EXPECT_EQ(shell.FindAssociatedProgram("C:\\sound.mp3", "C:\\"), std::nullopt);
}

TEST_F(LinuxShellTest, StartingAProcessRunsItsCommandLineWithoutWaiting) {
  LinuxShell shell(world.prefix());
  std::filesystem::path marker = world.HostPath("C:\\started.txt");
  EXPECT_TRUE(shell.StartProcess("echo started > '" + marker.string() + "'", 1));
  EXPECT_TRUE(AppearsSoon(marker));
  EXPECT_FALSE(shell.StartProcess("", 1));
}

}  // namespace
}  // namespace skerrow
