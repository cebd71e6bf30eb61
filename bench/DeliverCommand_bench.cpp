// One `deliver` of one message, the whole command as a mail delivery agent
// runs it (start, full dictionary loaded and saved, address book, store
// index brought up to date, classification, exit), against a full
// dictionary, 5,000 contacts and an Inbox of 100 or 10,000 messages.
// Targets: under 20 ms wall, and the large Inbox within 1.5 times the small.
// $SKERROW names another build of the command to time (an older one, say).
// $SKERROW names another build of the command to time (an older one, say).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/FullStatistics.h"
#include "platform/linux/LinuxCodePage.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingUserInterface.h"

extern char** environ;

namespace skerrow {
namespace {

namespace fs = std::filesystem;

int RunCommand(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MessageText(int i, const std::string& subject) {
  return "From: Sender " + std::to_string(i % 97) + " <s" + std::to_string(i % 97) +
         "@example.org>\nTo: me@example.org\nSubject: " + subject +
         "\nDate: Tue, 3 Mar 2026 10:00:00 +0100\nContent-Type: text/plain\n\n"
         "Hello, this is message " +
         std::to_string(i) + " about the project, the meeting and the plans.\n";
}

// A folder on the disk the system's temporary files use (not in memory, as
// the tests' folders are): the command's syncs are part of what is timed.
class DiskFolder {
 public:
  DiskFolder() {
    std::string pattern = (fs::temp_directory_path() / "skerrow-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
  }
  ~DiskFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

class Home {
 public:
  explicit Home(int inboxSize) {
    home_ = temp_.path() / "home";
    store_ = temp_.path() / "Maildir";
    for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(store_ / "Inbox" / sub);
    Run({"stats"});  // makes the prefix
    WriteDictionary();
    fs::create_directories(home_ / "contacts");
    for (int i = 0; i < 5000; ++i) {
      std::ofstream(home_ / "contacts" / (std::to_string(i) + ".vcf"))
          << "BEGIN:VCARD\nVERSION:3.0\nFN:Contact " << i << "\nEMAIL:contact" << i
          << "@example.net\nEND:VCARD\n";
    }
    for (int i = 0; i < inboxSize; ++i) {
      const std::string subject = i % 5 == 0 ? "<*3*> offer " + std::to_string(i) : "notes";
      std::ofstream(store_ / "Inbox/cur" / ("1700000000.M" + std::to_string(i) + "P1.bench:2,S"))
          << MessageText(i, subject);
    }
    message_ = temp_.path() / "new.eml";
    std::ofstream(message_) << MessageText(1, "Project meeting on Thursday");
    Deliver();  // the first command builds the index and the contacts' cache
  }

  int Deliver() { return Run({"deliver", message_.string()}); }

 private:
  int Run(std::vector<std::string> args) {
    const char* binary = std::getenv("SKERROW");
    args.insert(args.begin(), {binary != nullptr ? binary : SKERROW_BINARY, "--home",
                               home_.string(), "--store", store_.string()});
    return RunCommand(args);
  }

  void WriteDictionary() {
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

  DiskFolder temp_;
  fs::path home_;
  fs::path store_;
  fs::path message_;
};

void BM_DeliverCommand(benchmark::State& state) {
  Home home(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (home.Deliver() != 0) state.SkipWithError("deliver failed");
  }
}
BENCHMARK(BM_DeliverCommand)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace skerrow
