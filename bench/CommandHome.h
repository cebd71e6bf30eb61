// A prefix and a Maildir store on the disk of the system's temporary files
// (not in memory, as the tests' folders are: the command's syncs are part of
// what is timed), for the benchmarks that run the built command: a full
// dictionary, 5,000 contacts and an Inbox of a given size, indexed by a
// first command. Both go when the home does.
// $SKERROW names another build of the command to time (an older one, say).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace skerrow {

// Plain text mail from one of 97 senders; i makes the body differ.
std::string BenchMessage(int i, const std::string& subject);

// Waits for a command started by CommandHome to end, and gives its peak
// resident memory in bytes (to within what it takes in its last
// millisecond) and its wait status.
std::size_t WaitForPeak(pid_t pid, int& status);

class CommandHome {
 public:
  explicit CommandHome(int inboxSize);
  ~CommandHome();
  CommandHome(const CommandHome&) = delete;
  CommandHome& operator=(const CommandHome&) = delete;

  const std::filesystem::path& Scratch() const { return scratch_; }
  const std::filesystem::path& Store() const { return store_; }

  // The command's argument vector: the binary, --home, --store, then args.
  std::vector<std::string> Command(std::vector<std::string> args) const;
  // Runs the command to its end, its output thrown away; its exit status,
  // or -1 when it could not run or was killed. With processorSeconds, adds
  // the processor time the command took (user and system, every thread):
  // far steadier than its wall time on a shared machine.
  int Run(std::vector<std::string> args, double* processorSeconds = nullptr) const;
  // Runs the command to its end, its output thrown away; its peak resident
  // memory in bytes (to within what it takes in its last millisecond), or 0
  // when it could not run or did not end well.
  std::size_t PeakOf(std::vector<std::string> args) const;
  // Starts the command with its standard output into a pipe; the child's
  // pid, and outputFd the pipe's reading end. -1 when it could not start.
  pid_t Start(std::vector<std::string> args, int& outputFd) const;

 private:
  void WriteDictionary() const;
  // Starts the command with its standard output into outputFd, or thrown
  // away when that is negative; its pid, or -1.
  pid_t Spawn(std::vector<std::string> args, int outputFd) const;

  std::filesystem::path scratch_;
  std::filesystem::path home_;
  std::filesystem::path store_;
};

}  // namespace skerrow
