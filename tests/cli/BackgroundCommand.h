// A program run in the background by a test, its standard output and error
// into files, stopped by a signal the test chooses (or killed at the end).
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace skerrow {

// Whether the shell finds the program (a test that needs it skips without).
inline bool HaveProgram(const std::string& name) {
  return std::system(("command -v '" + name + "' >/dev/null 2>&1").c_str()) == 0;
}

class BackgroundCommand {
 public:
  BackgroundCommand(std::vector<std::string> argv, std::filesystem::path out,
                    std::filesystem::path err)
      : out_(std::move(out)), err_(std::move(err)) {
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> args;
      for (std::string& arg : argv) args.push_back(arg.data());
      args.push_back(nullptr);
      std::freopen(out_.c_str(), "w", stdout);
      std::freopen(err_.c_str(), "w", stderr);
      std::freopen("/dev/null", "r", stdin);
      execvp(args[0], args.data());
      _exit(127);
    }
  }
  ~BackgroundCommand() {
    if (pid_ > 0) Stop(SIGKILL);
  }
  BackgroundCommand(const BackgroundCommand&) = delete;
  BackgroundCommand& operator=(const BackgroundCommand&) = delete;

  // Sends the signal, waits, and returns the exit status (-1 after a signal).
  int Stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int raw = 0;
    waitpid(pid_, &raw, 0);
    pid_ = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  // Waits up to ten seconds for the condition; false when it never held.
  static bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  std::filesystem::path out_;
  std::filesystem::path err_;
  pid_t pid_ = -1;
};

}  // namespace skerrow
