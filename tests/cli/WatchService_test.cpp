// watch as the user's service: the files `cmake --install` lays out, the unit
// as systemd reads it, and the command's life under the service manager (a
// line per message, a clean stop on SIGTERM).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

bool Have(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

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

TEST_F(InstallationTest, TheInstalledPageReadsWithoutAWarning) {
  if (!Have("man")) GTEST_SKIP() << "no man here";
  ASSERT_TRUE(installed);
  const fs::path warnings = base / "warnings.txt";
  const std::string command = "MANWIDTH=80 man --warnings -l " +
                              Quote((prefix() / "share/man/man1/skerrow.1").string()) +
                              " >/dev/null 2>" + Quote(warnings.string());
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadText(warnings), "");
}

TEST_F(InstallationTest, TheUnitPassesSystemdsVerification) {
  if (!Have("systemd-analyze")) GTEST_SKIP() << "no systemd-analyze here";
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

// skerrow watch running in the background, its output into files.
class WatchTest : public CommandLineTest {
 protected:
  ~WatchTest() override {
    if (child > 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }

  void Start() {
    child = fork();
    if (child == 0) {
      std::freopen(out().c_str(), "w", stdout);
      std::freopen(err().c_str(), "w", stderr);
      execl(SKERROW_BINARY, SKERROW_BINARY, "--home", home().c_str(), "--store", store().c_str(),
            "watch", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  // Waits up to ten seconds for text to appear in the output.
  bool Shows(const std::string& text) {
    for (int i = 0; i < 200; ++i) {
      if (ReadText(out()).find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // Sends the signal and returns the exit status.
  int Stop(int signal) {
    kill(child, signal);
    int raw = 0;
    waitpid(child, &raw, 0);
    child = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
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

  pid_t child = -1;
};

TEST_F(WatchTest, LogsALinePerMessageAndSavesWhatItLearnedOnSigterm) {
  Start();
  ASSERT_TRUE(Shows("")) << ReadText(err());
  // Wait for the start-up to finish before the mail arrives.
  for (int i = 0; i < 200 && ReadText(err()).find("watching") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Arrive(Plain());
  Arrive(EmptyBody());
  ASSERT_TRUE(Shows("Limited offer inside")) << ReadText(out()) << ReadText(err());
  ASSERT_TRUE(Shows("Lunch on Friday"));
  EXPECT_EQ(Stop(SIGTERM), 0) << ReadText(err());
  const std::string lines = ReadText(out());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
  EXPECT_NE(lines.find("Valid"), std::string::npos) << lines;
  EXPECT_NE(lines.find("Spam          7"), std::string::npos) << lines;
  EXPECT_NE(Run({"stats"}).out.find("messages learned: 1 spam, 1 valid"), std::string::npos);
}

}  // namespace
}  // namespace skerrow
