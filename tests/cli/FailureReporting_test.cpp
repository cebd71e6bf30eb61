// End-to-end tests of what the skerrow command says when something cannot
// be read or saved: a failure is never reported as success, and nothing the
// user had is lost on the way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

constexpr const char* kDictionary = "drive_c/Program Files/Quelbrik/Skerrowdir/Tamsquill.bin";

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// --- Inputs that cannot be read

struct UnreadableInput {
  const char* name;
  std::vector<std::string> args;  // "IN" stands for the test's message folder
  std::string input;              // redirection of standard input
  std::string reason;
};

class UnreadableInputTest : public CommandLineTest,
                            public ::testing::WithParamInterface<UnreadableInput> {};

TEST_P(UnreadableInputTest, FailsWithOneLineAndChangesNothing) {
  const UnreadableInput& c = GetParam();
  std::vector<std::string> args = c.args;
  for (std::string& arg : args) {
    if (arg == "IN") arg = (folder.path() / "in").string();
  }
  std::string input = c.input;
  if (input == "<IN") input = "<" + Quote((folder.path() / "in").string());
  const Outcome outcome = Run(args, input);
  EXPECT_EQ(outcome.status, 1) << c.name << ": " << outcome.err;
  EXPECT_EQ(Lines(outcome.err), 1) << c.name << ": " << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, "cannot read ")) << c.name << ": " << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, c.reason)) << c.name << ": " << outcome.err;
  EXPECT_TRUE(outcome.out.empty()) << c.name;
  EXPECT_FALSE(fs::exists(store() / "Inbox")) << c.name << ": the store was opened";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, UnreadableInputTest,
    ::testing::Values(
        UnreadableInput{"a folder to classify", {"classify", "IN"}, "</dev/null", "Is a directory"},
        UnreadableInput{"a folder to deliver", {"deliver", "IN"}, "</dev/null", "Is a directory"},
        // Reading a process's own memory at offset 0 fails with EIO.
        UnreadableInput{
            "a read error", {"deliver", "/proc/self/mem"}, "</dev/null", "Input/output error"},
        UnreadableInput{"input without end", {"classify", "/dev/zero"}, "</dev/null", "MiB"},
        UnreadableInput{"a folder as standard input", {"deliver", "-"}, "<IN", "Is a directory"},
        UnreadableInput{
            "a closed standard input", {"classify", "-"}, "<&-", "Bad file descriptor"}));

// --- Lines for people

TEST_F(CommandLineTest, ASubjectWithLineBreaksPrintsOneEscapedLine) {
  const std::string forged =
      Message("forged.eml", "Ann Lee <ann@example.org>",
              "=?utf-8?q?Hi=0D=0AValid_0_Inbox_Fake_=28x=29=0A=1B[2J?=", "Nothing to see here.");
  const Outcome outcome = Run({"deliver", forged});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(Lines(outcome.out), 1) << outcome.out;
  EXPECT_TRUE(Contains(outcome.out, "Hi\\r\\nValid 0 Inbox Fake (x)\\n\\x1b[2J")) << outcome.out;
}

// --- The prefix is one instance's at a time

TEST_F(CommandLineTest, ASecondInstanceOnTheSamePrefixIsRefused) {
  ASSERT_EQ(Run({"stats"}).status, 0);
  const int held = ::open((home() / ".skerrow.lock").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const Outcome outcome = Deliver(Plain());
  ::close(held);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(Lines(outcome.err), 1) << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, "the prefix " + home().string() + " is in use")) << outcome.err;
  EXPECT_TRUE(fs::is_empty(store() / "Inbox" / "cur"));
}

// --- Options

TEST_F(CommandLineTest, ApplyingOptionsReplacesTheProfileOnce) {
  ASSERT_EQ(Run({"options"}).status, 0);
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, home().c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
  ASSERT_EQ(Run({"options", "sSpamBoxName=Spam", "bMarkAsRead=0"}).status, 0);
  int replacements = 0;
  alignas(inotify_event) char buffer[65536];
  for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if ((event->mask & IN_MOVED_TO) && event->len > 0 && std::string(event->name) == "win.ini") {
        ++replacements;
      }
      at += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  EXPECT_EQ(replacements, 1);
}

struct BadName {
  const char* name;
  std::string value;
};

class BadSpamFolderName : public CommandLineTest, public ::testing::WithParamInterface<BadName> {};

TEST_P(BadSpamFolderName, IsAUsageErrorAndChangesNothing) {
  ASSERT_EQ(Run({"options"}).status, 0);
  const std::string before = ReadText(home() / "win.ini");
  const Outcome outcome = Run({"options", "bMarkAsRead=0", "sSpamBoxName=" + GetParam().value});
  EXPECT_EQ(outcome.status, 2) << GetParam().name;
  EXPECT_EQ(Lines(outcome.err), 1) << outcome.err;
  EXPECT_EQ(ReadText(home() / "win.ini"), before) << GetParam().name;
  EXPECT_TRUE(fs::is_directory(store() / "Junk E-mail")) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Names, BadSpamFolderName,
                         ::testing::Values(BadName{"empty", ""}, BadName{"line break", "Sp\nam"},
                                           BadName{"slash", "Junk/Spam"}, BadName{"parent", ".."},
                                           BadName{"too long", std::string(300, 'x')}));

// --- Temporary files of killed commands

TEST_F(CommandLineTest, StaleTemporaryFilesAreClearedAtStartUp) {
  ASSERT_EQ(Run({"stats"}).status, 0);
  const fs::path profileLeft = home() / "win.ini.tmp-AbC123";
  const fs::path dictionaryLeft = home() / (std::string(kDictionary) + ".tmp-x9Y8z7");
  const fs::path userFile = home() / "notes.tmp-file";
  const fs::path oldDelivery = store() / "Inbox" / "tmp" / "1.M1P1.host";
  const fs::path newDelivery = store() / "Inbox" / "tmp" / "2.M2P2.host";
  for (const fs::path& file : {profileLeft, dictionaryLeft, userFile, oldDelivery, newDelivery}) {
    std::ofstream(file) << "left";
  }
  const std::time_t old = std::time(nullptr) - 37 * 60 * 60;
  const timespec times[2] = {{old, 0}, {old, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, oldDelivery.c_str(), times, 0), 0);

  ASSERT_EQ(Run({"stats"}).status, 0);
  EXPECT_FALSE(fs::exists(profileLeft));
  EXPECT_FALSE(fs::exists(dictionaryLeft));
  EXPECT_FALSE(fs::exists(oldDelivery));
  EXPECT_TRUE(fs::exists(userFile));
  EXPECT_TRUE(fs::exists(newDelivery));
}

// --- The dictionary

TEST_F(CommandLineTest, AForeignDictionaryIsReportedAndKeptBesideTheNewOne) {
  ASSERT_EQ(Run({"stats"}).status, 0);
  // Random bytes: a version, then a spam total and a negative valid total.
  const std::string foreign("\x02\x00\x00\x00\x41\x42\x43\x4C\x19\x1E\x2F\xD8\x07\x07", 14);
  std::ofstream(home() / kDictionary, std::ios::binary) << foreign;
  const Outcome outcome = Run({"stats"});
  EXPECT_TRUE(Contains(outcome.err, "message box: Outlook Skerrow: Dictionary reading error!"))
      << outcome.err;
  EXPECT_EQ(ReadText(home() / (std::string(kDictionary) + ".damaged")), foreign);
  EXPECT_NE(ReadText(home() / kDictionary), foreign);
}

TEST_F(CommandLineTest, AnUnreadableDictionaryIsReportedAndNotReplacedByAnEmptyOne) {
  ASSERT_EQ(Run({"stats"}).status, 0);
  fs::remove(home() / kDictionary);
  fs::create_symlink("/proc/self/mem", home() / kDictionary);  // reads fail with EIO
  const Outcome outcome = Run({"stats"});
  EXPECT_TRUE(Contains(outcome.err, "Dictionary reading error!")) << outcome.err;
  EXPECT_TRUE(fs::is_symlink(home() / (std::string(kDictionary) + ".damaged")));
}

TEST_F(CommandLineTest, AReadOnlyDictionaryIsNotReplaced) {
  ASSERT_EQ(Deliver(Plain()).status, 0);
  const std::string before = ReadText(home() / kDictionary);
  fs::permissions(home() / kDictionary, fs::perms::owner_read | fs::perms::group_read);
  const Outcome outcome = Deliver(EmptyBody());
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(Contains(outcome.err, "message box: Outlook Skerrow: Dictionary writing error!"))
      << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, "the dictionary was not saved")) << outcome.err;
  EXPECT_EQ(ReadText(home() / kDictionary), before);
}

TEST_F(CommandLineTest, ClassifyNeverWritesTheDictionary) {
  ASSERT_EQ(Run({"stats"}).status, 0);
  fs::remove(home() / kDictionary);
  fs::create_directory(home() / kDictionary);
  const Outcome outcome = Run({"classify", Plain()});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_FALSE(Contains(outcome.err, "writing error")) << outcome.err;
}

TEST_F(CommandLineTest, ThePrefixAndItsFilesAreTheUsersAlone) {
  ASSERT_EQ(Deliver(Plain()).status, 0);
  EXPECT_EQ(ModeOf(home()), 0700u);
  EXPECT_EQ(ModeOf(home() / "drive_c"), 0700u);
  for (const fs::path& file : {home() / "win.ini", home() / "registry.txt", home() / kDictionary}) {
    EXPECT_EQ(ModeOf(file), 0600u) << file;
  }
  fs::permissions(home() / kDictionary, static_cast<fs::perms>(0640));
  ASSERT_EQ(Deliver(Plain()).status, 0);
  EXPECT_EQ(ModeOf(home() / kDictionary), 0640u);
}

// --- A disk that runs out

// A tmpfs of its own for the prefix and the store, so that a command can run
// out of space or of inodes. Null where mounting is refused.
class SmallDisk {
 public:
  static std::unique_ptr<SmallDisk> Mount(const fs::path& at) {
    fs::create_directories(at);
    if (::mount("tmpfs", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=4m,nr_inodes=300") != 0) {
      return nullptr;
    }
    return std::unique_ptr<SmallDisk>(new SmallDisk(at));
  }
  ~SmallDisk() { ::umount2(at_.c_str(), MNT_DETACH); }

  // Takes every free inode with empty files.
  void TakeInodes() {
    for (int i = 0; i < 100000; ++i) {
      const int fd =
          ::open((at_ / std::to_string(i)).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd < 0) break;
      ::close(fd);
    }
  }
  // Takes every free byte with one file.
  void TakeSpace() {
    const int fd = ::open((at_ / "space").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    static const std::string block(65536, 'x');
    for (std::size_t size : {block.size(), std::size_t{4096}, std::size_t{1}}) {
      while (::write(fd, block.data(), size) > 0) {
      }
    }
    ::close(fd);
  }

 private:
  explicit SmallDisk(fs::path at) : at_(std::move(at)) {}
  fs::path at_;
};

enum class Shortage { Inodes, Space };

struct FullDiskCase {
  const char* name;
  Shortage shortage;
};

class FullDiskTest : public CommandLineTest, public ::testing::WithParamInterface<FullDiskCase> {
 protected:
  void SetUp() override {
    disk_ = SmallDisk::Mount(folder.path() / "disk");
    if (!disk_) GTEST_SKIP() << "cannot mount a tmpfs here";
    base = folder.path() / "disk";
    fs::create_directories(store());
    path_ = Field(Deliver(Plain()).out, "path");
    ASSERT_FALSE(path_.empty());
    if (GetParam().shortage == Shortage::Inodes) {
      disk_->TakeInodes();
    } else {
      disk_->TakeSpace();
    }
  }
  void TearDown() override { disk_.reset(); }

  // Every failure says what was not saved and the system's reason.
  static void ExpectNamedFailure(const Outcome& outcome, const std::string& what) {
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, what)) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "No space left on device")) << outcome.err;
  }

  std::unique_ptr<SmallDisk> disk_;
  std::string path_;
};

TEST_P(FullDiskTest, MarkingFailsAndTheLineShowsTheSubjectTheFileHolds) {
  const Outcome outcome = Run({"mark", UniqueName(path_)});
  ExpectNamedFailure(outcome, "the dictionary was not saved");
  EXPECT_TRUE(Contains(outcome.err, "message box: Outlook Skerrow: Dictionary writing error!"))
      << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, "cannot save the message")) << outcome.err;
  EXPECT_TRUE(Contains(outcome.out, "  Lunch on Friday")) << outcome.out;
  EXPECT_FALSE(Contains(outcome.out, "<*")) << outcome.out;
}

TEST_P(FullDiskTest, MovingToTheSpamFolderFails) {
  const Outcome outcome = Run({"move", "--to", "Junk E-mail", path_});
  ExpectNamedFailure(outcome, "the dictionary was not saved");
}

TEST_P(FullDiskTest, ChangingOptionsFailsAndKeepsTheSavedOnes) {
  ExpectNamedFailure(Run({"options", "bMarkAsRead=0"}), "the options were not saved");
  EXPECT_TRUE(Contains(Run({"options"}).out, "bMarkAsRead=1\n"));
}

TEST_P(FullDiskTest, DeliveringFailsWithTheReason) {
  const Outcome outcome = Run({"deliver", EmptyBody()});
  ExpectNamedFailure(outcome, "cannot deliver");
}

INSTANTIATE_TEST_SUITE_P(Disks, FullDiskTest,
                         ::testing::Values(FullDiskCase{"inodes", Shortage::Inodes},
                                           FullDiskCase{"space", Shortage::Space}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace skerrow
