// `skerrow watch` while 10,000 messages arrive in its Inbox, the way a
// delivery agent drops them (renamed into new/ once written; they are all
// written beforehand, so that only the command's work is timed), against a
// full dictionary and 5,000 contacts. The messages arrive in bursts of the
// second argument's size; the next burst comes once the command has printed
// the line of every message so far. Reports the time per message of the
// first and of the last tenth of the stream (targets: flat, the last no
// slower than the first) and the command's peak memory (target: under
// 50 MB). The time of the whole stream is the iteration's time.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/CommandHome.h"
#include "bench/FullStatistics.h"

namespace skerrow {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Mail of two kinds with words drawn from two vocabularies, so that the
// statistics keep learning and some of it goes to the Spam folder.
class MailStream {
 public:
  MailStream() : random_(11) {
    for (int i = 0; i < 3000; ++i) validWords_.push_back(Word(random_));
    for (int i = 0; i < 1000; ++i) spamWords_.push_back(Word(random_));
  }

  std::string Next(int i) {
    const bool spam = i % 3 == 0;
    const std::vector<std::string>& words = spam ? spamWords_ : validWords_;
    std::string body;
    for (int w = 0; w < 60; ++w)
      body += words[random_() % words.size()] + (w % 12 == 11 ? "\n" : " ");
    const std::string sender = spam ? "Offers " + std::to_string(random_() % 500)
                                    : "Colleague " + std::to_string(random_() % 40);
    return "From: " + sender + " <x" + std::to_string(i) + "@example.com>\nTo: me@example.org\n" +
           "Subject: " + words[random_() % words.size()] + " " + std::to_string(i) +
           "\nDate: Tue, 3 Mar 2026 10:00:00 +0100\nContent-Type: text/plain\n\n" + body;
  }

 private:
  std::mt19937 random_;
  std::vector<std::string> validWords_;
  std::vector<std::string> spamWords_;
};

// Counts the lines the command prints.
class OutputLines {
 public:
  explicit OutputLines(int fd) : fd_(fd) {}
  ~OutputLines() { close(fd_); }

  // False when the command ended, or printed nothing for a minute, first.
  bool WaitFor(long lines) {
    char buffer[4096];
    while (count_ < lines) {
      pollfd entry{fd_, POLLIN, 0};
      if (poll(&entry, 1, 60000) <= 0) return false;
      const ssize_t got = read(fd_, buffer, sizeof buffer);
      if (got <= 0) return false;
      for (ssize_t i = 0; i < got; ++i) count_ += buffer[i] == '\n';
    }
    return true;
  }

 private:
  int fd_;
  long count_ = 0;
};

std::string ArrivingName(int i) {
  return "1800000000.M" + std::to_string(i) + "P1.watchbench";
}

void Arrive(const fs::path& written, const fs::path& inbox, int i) {
  fs::rename(written / ArrivingName(i), inbox / "new" / ArrivingName(i));
}

double MeanMs(const std::vector<double>& seconds, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += seconds[i];
  return 1000 * sum / static_cast<double>(to - from);
}

void BM_WatchCommand(benchmark::State& state) {
  const int total = static_cast<int>(state.range(0));
  const int burst = static_cast<int>(state.range(1));
  for (auto _ : state) {
    const CommandHome home(0);
    const fs::path inbox = home.Store() / "Inbox";
    const fs::path written = home.Scratch() / "arriving";
    fs::create_directories(written);
    MailStream stream;
    for (int i = -1; i < total; ++i) std::ofstream(written / ArrivingName(i)) << stream.Next(i);
    int output = -1;
    const pid_t pid = home.Start({"watch"}, output);
    if (pid < 0) {
      state.SkipWithError("watch did not start");
      return;
    }
    OutputLines lines(output);
    // A first message: once its line is out, the add-in has started.
    Arrive(written, inbox, -1);
    bool running = lines.WaitFor(1);
    std::vector<double> perMessage;  // seconds, one per message
    const Clock::time_point start = Clock::now();
    for (int i = 0; running && i < total; i += burst) {
      const Clock::time_point t0 = Clock::now();
      for (int j = i; j < i + burst; ++j) Arrive(written, inbox, j);
      running = lines.WaitFor(1 + i + burst);
      const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
      perMessage.insert(perMessage.end(), burst, seconds / burst);
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    kill(pid, SIGTERM);
    int status = 0;
    const std::size_t peak = WaitForPeak(pid, status);
    if (!running || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("watch failed");
      return;
    }
    const std::size_t tenth = perMessage.size() / 10;
    state.counters["first_ms_per_msg"] = MeanMs(perMessage, 0, tenth);
    state.counters["last_ms_per_msg"] =
        MeanMs(perMessage, perMessage.size() - tenth, perMessage.size());
    state.counters["peak_MB"] = static_cast<double>(peak) / (1 << 20);
  }
}
BENCHMARK(BM_WatchCommand)
    ->Args({10000, 1})
    ->Args({10000, 100})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace skerrow
