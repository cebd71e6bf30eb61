// watch as the user's service: the files `cmake --install` lays out, the unit
// as systemd reads it, and the command's life under the service manager (a
// line per message, a clean stop on SIGTERM).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "tests/cli/BackgroundCommand.h"
#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

class InstallationTest : public CommandLineTest {
 protected:
  InstallationTest() {
    const std::string command = Quote(SKERROW_CMAKE) + " --install " + Quote(SKERROW_BUILD_DIR) +
                                " --prefix " + Quote(prefix().string()) + " >/dev/null";
    installed = std::system(command.c_str()) == 0;
  }
  fs::path prefix() const { return base / "prefix"; }
  fs::path unit() const { return prefix() / "share/systemd/user/skerrow-watch.service"; }

  bool installed = false;
};

TEST_F(InstallationTest, PutsTheCommandItsPageItsCompletionAndTheUnitUnderThePrefix) {
  ASSERT_TRUE(installed);
  EXPECT_TRUE(fs::exists(prefix() / "bin/skerrow"));
  EXPECT_EQ(ReadText(prefix() / "share/man/man1/skerrow.1"), ReadText(SKERROW_MANUAL_PAGE));
  EXPECT_TRUE(fs::exists(prefix() / "share/bash-completion/completions/skerrow"));
  EXPECT_NE(
      ReadText(unit()).find("\nExecStart=" + (prefix() / "bin/skerrow").string() + " watch\n"),
      std::string::npos)
      << ReadText(unit());
}

TEST_F(InstallationTest, TheUnitPassesSystemdsVerification) {
  if (!HaveProgram("systemd-analyze")) GTEST_SKIP() << "no systemd-analyze here";
  ASSERT_TRUE(installed);
  // The user manager's runtime folder, and the page the unit names found
  // where a user's MANPATH finds it.
  const fs::path runtime = base / "runtime";
  fs::create_directories(runtime);
  fs::permissions(runtime, fs::perms::owner_all);
  const fs::path report = base / "verify.txt";
  const std::string command = "XDG_RUNTIME_DIR=" + Quote(runtime.string()) +
                              " MANPATH=" + Quote((prefix() / "share/man").string() + ":") +
                              " systemd-analyze --user verify " + Quote(unit().string()) + " >" +
                              Quote(report.string()) + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadText(report);
  EXPECT_EQ(ReadText(report), "");
}

// skerrow watch running in the background.
class WatchTest : public CommandLineTest {
 protected:
  std::unique_ptr<BackgroundCommand> Start() {
    return std::make_unique<BackgroundCommand>(
        std::vector<std::string>{SKERROW_BINARY, "--home", home().string(), "--store",
                                 store().string(), "watch"},
        out(), err());
  }
  bool Shows(const fs::path& file, const std::string& text) {
    return BackgroundCommand::Eventually(
        [&] { return ReadText(file).find(text) != std::string::npos; });
  }
  // A message dropped into the Inbox the way a delivery agent does.
  void Arrive(const std::string& file) {
    fs::create_directories(store() / "Inbox" / "tmp");
    fs::create_directories(store() / "Inbox" / "new");
    const fs::path tmp = store() / "Inbox" / "tmp" / fs::path(file).filename();
    fs::copy_file(file, tmp);
    fs::rename(tmp, store() / "Inbox" / "new" / fs::path(file).filename());
  }

  fs::path out() const { return folder.path() / "watch.out"; }
  fs::path err() const { return folder.path() / "watch.err"; }
};

TEST_F(WatchTest, LogsALinePerMessageAndSavesWhatItLearnedOnSigterm) {
  auto watch = Start();
  ASSERT_TRUE(Shows(err(), "watching")) << ReadText(err());
  Arrive(Plain());
  Arrive(EmptyBody());
  ASSERT_TRUE(Shows(out(), "Limited offer inside")) << ReadText(out()) << ReadText(err());
  ASSERT_TRUE(Shows(out(), "Lunch on Friday"));
  EXPECT_EQ(watch->Stop(SIGTERM), 0) << ReadText(err());
  const std::string lines = ReadText(out());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
  EXPECT_NE(lines.find("Valid"), std::string::npos) << lines;
  EXPECT_NE(lines.find("Spam          7"), std::string::npos) << lines;
  // As deliver prints it: where the message is and its subject once handled.
  EXPECT_NE(lines.find("Inbox           <*3*>Limited offer inside  (" + store().string()),
            std::string::npos)
      << lines;
  EXPECT_NE(Run({"stats"}).out.find("messages learned: 1 spam, 1 valid"), std::string::npos);
}

}  // namespace
}  // namespace skerrow
