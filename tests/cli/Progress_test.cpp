// Progress of long work: the line's text, how often it is drawn, and that
// the command shows it on a terminal and nowhere else.
#include "cli/Progress.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

using cli::Progress;
using cli::ProgressText;

struct TextCase {
  std::size_t done;
  std::size_t total;
  double seconds;
  const char* text;
};

class ProgressTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ProgressTextTest, ShowsTheCountAndOnceItCanBeToldTheRateAndTimeLeft) {
  const TextCase& c = GetParam();
  EXPECT_EQ(ProgressText(c.done, c.total, c.seconds), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressTextTest,
    ::testing::Values(TextCase{0, 500, 0.0, "0/500 messages"},
                      TextCase{10, 500, 0.2, "10/500 messages"},
                      TextCase{120, 500, 3.0, "120/500 messages  40.0/s  0:10 left"},
                      TextCase{500, 500, 12.5, "500/500 messages  40.0/s  0:00 left"},
                      TextCase{1, 10001, 1.0, "1/10001 messages  1.0/s  2:46:40 left"}));

// Progress written into a memory stream, on a clock the test sets.
class ProgressLineTest : public ::testing::Test {
 protected:
  std::unique_ptr<Progress> Make(std::size_t total, bool terminal) {
    return std::make_unique<Progress>(total, out, terminal, [this] { return now; });
  }
  std::string Written() {
    std::fflush(out);
    return std::string(buffer, size);
  }
  ~ProgressLineTest() override {
    std::fclose(out);
    std::free(buffer);
  }

  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  double now = 100.0;
};

TEST_F(ProgressLineTest, IsRedrawnAtMostTenTimesASecondButAlwaysForTheLastItem) {
  auto progress = Make(3, true);
  progress->Step(1);
  now += 0.05;
  progress->Step(2);
  now += 0.01;
  progress->Step(3);
  EXPECT_EQ(Written(), "\r1/3 messages\033[K\r3/3 messages\033[K");
}

TEST_F(ProgressLineTest, IsTakenAwayAtTheEndAndDrawnAgainAtOnceAfterAClear) {
  auto progress = Make(5, true);
  progress->Step(1);
  progress->Clear();
  progress->Step(2);
  progress.reset();
  EXPECT_EQ(Written(), "\r1/5 messages\033[K\r\033[K\r2/5 messages\033[K\r\033[K");
}

TEST_F(ProgressLineTest, WritesNothingOffATerminalOrForASingleMessage) {
  Make(5, false)->Step(5);
  Make(1, true)->Step(1);
  EXPECT_EQ(Written(), "");
}

// The command run with its standard error on a pseudo-terminal (or a file),
// standard output into a file.
class ProgressOnTerminalTest : public CommandLineTest {
 protected:
  // What reached standard error, and the exit status.
  std::pair<std::string, int> RunOnTerminal(const std::vector<std::string>& args, bool terminal) {
    int master = -1;
    int slave = -1;
    if (terminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return {"", -1};
    const fs::path errFile = folder.path() / "stderr.txt";
    const fs::path outFile = folder.path() / "stdout.txt";
    const pid_t child = fork();
    if (child == 0) {
      std::vector<std::string> all = {SKERROW_BINARY, "--home", home().string(), "--store",
                                      store().string()};
      all.insert(all.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (std::string& arg : all) argv.push_back(arg.data());
      argv.push_back(nullptr);
      std::freopen(outFile.c_str(), "w", stdout);
      if (terminal) {
        dup2(slave, STDERR_FILENO);
        close(master);
        close(slave);
      } else {
        std::freopen(errFile.c_str(), "w", stderr);
      }
      execv(argv[0], argv.data());
      _exit(127);
    }
    std::string err;
    if (terminal) {
      close(slave);
      char chunk[4096];
      for (;;) {
        const ssize_t got = read(master, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // EIO once the command has closed the terminal
        err.append(chunk, static_cast<std::size_t>(got));
      }
      close(master);
    }
    int raw = 0;
    waitpid(child, &raw, 0);
    if (!terminal) err = ReadText(errFile);
    return {err, WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
  }

  std::vector<std::string> Messages(const std::string& folderName, int count) {
    std::vector<std::string> files;
    fs::create_directories(folder.path() / folderName);
    for (int i = 0; i < count; ++i) {
      const fs::path path = folder.path() / folderName / ("m" + std::to_string(i) + ".eml");
      std::ofstream(path, std::ios::binary)
          << "From: Ann <ann@example.org>\r\nSubject: note " << i << "\r\n\r\nSee you at " << i
          << " o'clock for the review.\r\n";
      files.push_back(path.string());
    }
    return files;
  }
};

TEST_F(ProgressOnTerminalTest, DeliveringManyFilesShowsProgressOnlyOnATerminal) {
  std::vector<std::string> args = {"deliver"};
  for (const std::string& file : Messages("batch", 4)) args.push_back(file);
  const auto [shown, shownStatus] = RunOnTerminal(args, true);
  EXPECT_EQ(shownStatus, 0);
  EXPECT_NE(shown.find("/4 messages"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\033[K"), std::string::npos) << shown;

  const auto [logged, loggedStatus] = RunOnTerminal(args, false);
  EXPECT_EQ(loggedStatus, 0);
  EXPECT_EQ(logged, "");
}

TEST_F(ProgressOnTerminalTest, DeliveringOneMessageShowsNoProgressEvenOnATerminal) {
  const auto [shown, status] = RunOnTerminal({"deliver", Messages("one", 1).front()}, true);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(shown, "");
}

TEST_F(ProgressOnTerminalTest, ReplayShowsProgressOnlyOnATerminal) {
  Messages("ham", 2);
  Messages("spam", 2);
  const std::vector<std::string> args = {"replay", "--ham", (folder.path() / "ham").string(),
                                         "--spam", (folder.path() / "spam").string()};
  const auto [shown, shownStatus] = RunOnTerminal(args, true);
  EXPECT_EQ(shownStatus, 0);
  EXPECT_NE(shown.find("4/4 messages"), std::string::npos) << shown;
  const auto [logged, loggedStatus] = RunOnTerminal(args, false);
  EXPECT_EQ(loggedStatus, 0);
  EXPECT_EQ(logged, "");
}

}  // namespace
}  // namespace skerrow
