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
  // With /bin/sh as the opener, the opened file runs as a script and "$0" is
  // the path it was given; no file needs the right to be executed.
  std::filesystem::path seen = world.HostPath("C:\\seen.txt");
  const char* helpFile = "C:\\Program Files\\Quelbrik\\Skerrowdir\\Skerrow.chm";
  world.WriteFile(helpFile, "printf '%s' \"$0\" > '" + seen.string() + ".part'\nmv '" +
                                seen.string() + ".part' '" + seen.string() + "'\n");
  LinuxShell shell(world.prefix(), "/bin/sh");
  ASSERT_GT(shell.OpenWithShell("open", helpFile, 1), 32);
  ASSERT_TRUE(AppearsSoon(seen));
  EXPECT_EQ(world.ReadFile("C:\\seen.txt"), world.HostPath(helpFile).string());
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
