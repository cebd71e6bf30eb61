#include "bench/CommandHome.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "bench/FullStatistics.h"
#include "platform/linux/LinuxCodePage.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingUserInterface.h"

extern char** environ;

namespace skerrow {

namespace fs = std::filesystem;

namespace {

std::vector<char*> Argv(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

std::string BenchMessage(int i, const std::string& subject) {
  return "From: Sender " + std::to_string(i % 97) + " <s" + std::to_string(i % 97) +
         "@example.org>\nTo: me@example.org\nSubject: " + subject +
         "\nDate: Tue, 3 Mar 2026 10:00:00 +0100\nContent-Type: text/plain\n\n"
         "Hello, this is message " +
         std::to_string(i) + " about the project, the meeting and the plans.\n";
}

CommandHome::CommandHome(int inboxSize) {
  std::string pattern = (fs::temp_directory_path() / "skerrow-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return;
  scratch_ = pattern;
  home_ = scratch_ / "home";
  store_ = scratch_ / "Maildir";
  for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(store_ / "Inbox" / sub);
  Run({"stats"});  // makes the prefix
  WriteDictionary();
  fs::create_directories(home_ / "contacts");
  // Written an hour ago, as an address book is: a file changed in the last
  // seconds is not cached, and the first command is to cache them all.
  const auto written = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (int i = 0; i < 5000; ++i) {
    const fs::path card = home_ / "contacts" / (std::to_string(i) + ".vcf");
    std::ofstream(card) << "BEGIN:VCARD\nVERSION:3.0\nFN:Contact " << i << "\nEMAIL:contact" << i
                        << "@example.net\nEND:VCARD\n";
    fs::last_write_time(card, written);
  }
  for (int i = 0; i < inboxSize; ++i) {
    const std::string subject = i % 5 == 0 ? "<*3*> offer " + std::to_string(i) : "notes";
    std::ofstream(store_ / "Inbox/cur" / ("1700000000.M" + std::to_string(i) + "P1.bench:2,S"))
        << BenchMessage(i, subject);
  }
  Run({"stats"});  // builds the index and caches the contacts
}

CommandHome::~CommandHome() {
  std::error_code ignored;
  if (!scratch_.empty()) fs::remove_all(scratch_, ignored);
}

std::vector<std::string> CommandHome::Command(std::vector<std::string> args) const {
  const char* binary = std::getenv("SKERROW");
  args.insert(args.begin(), {binary != nullptr ? binary : SKERROW_BINARY, "--home", home_.string(),
                             "--store", store_.string()});
  return args;
}

int CommandHome::Run(std::vector<std::string> args, double* processorSeconds) const {
  const pid_t pid = Spawn(std::move(args), -1);
  if (pid < 0) return -1;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (processorSeconds != nullptr) {
    for (const timeval& time : {usage.ru_utime, usage.ru_stime}) {
      *processorSeconds += static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
    }
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t CommandHome::PeakOf(std::vector<std::string> args) const {
  const pid_t pid = Spawn(std::move(args), -1);
  if (pid < 0) return 0;
  int status = 0;
  const std::size_t peak = WaitForPeak(pid, status);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? peak : 0;
}

std::size_t WaitForPeak(pid_t pid, int& status) {
  // Read while the command runs: the kernel's own maximum for a child also
  // counts this process's memory from before the child's exec, and the
  // high-water mark only grows until the exit.
  const std::string statusFile = "/proc/" + std::to_string(pid) + "/status";
  std::size_t peak = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    std::ifstream in(statusFile);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("VmHWM:", 0) == 0) {
        peak = std::max<std::size_t>(peak, std::stoul(line.substr(6)) * 1024);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return peak;
}

pid_t CommandHome::Spawn(std::vector<std::string> args, int outputFd) const {
  const std::vector<std::string> command = Command(std::move(args));
  std::vector<char*> argv = Argv(command);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outputFd < 0) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
  }
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? pid : -1;
}

pid_t CommandHome::Start(std::vector<std::string> args, int& outputFd) const {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  const pid_t pid = Spawn(std::move(args), pipeFds[1]);
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    return -1;
  }
  outputFd = pipeFds[0];
  return pid;
}

void CommandHome::WriteDictionary() const {
  MemoryFileSystem files;
  WordStatistics statistics = FullStatistics();
  const auto codePage = LinuxCodePage::Create(1252);
  RecordingUserInterface ui;
  statistics.LoadDictionary(files, *codePage, ui, "C:\\D");
  statistics.SaveDictionary(files, ui);
  const fs::path folder = home_ / "drive_c/Program Files/Quelbrik/Skerrowdir";
  fs::create_directories(folder);
  std::ofstream(folder / "Tamsquill.bin", std::ios::binary)
      << files.files[statistics.DictionaryPath()];
}

}  // namespace skerrow
