#include "cli/Delivered.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/CommandLine.h"
#include "cli/Text.h"

namespace skerrow::cli {

ResultLine DescribeMessage(Session& session, const std::string& file, const DispatchPtr& item,
                           const SpamVerdict& verdict) {
  ResultLine line;
  line.file = file;
  line.verdict = verdict;
  const Result<maildir::ItemLocation> where = session.store().Locate(item);
  if (!where.ok()) return line;
  line.folder = ToUtf8(where.value.topLevelFolder);
  line.path = where.value.path;
  // The subject its file holds, whatever a failed save meant it to. The
  // handle's message is the one the add-in moved or rewrote (the store keeps
  // one record per message and moves it along), so it is not looked up
  // again: that walked the folder tree for every message of a batch.
  const Result<std::u16string> stored = session.store().StoredSubject(item);
  if (stored.ok()) line.subject = ToUtf8(stored.value);
  return line;
}

bool ReadMessageFile(const std::string& file, std::string& bytes, std::string& error) {
  const bool standardInput = file == "-";
  const std::string name = standardInput ? "standard input" : file;
  const auto fail = [&](int code) {
    error = "cannot read " + name + ": " + std::strerror(code);
    return false;
  };
  const int fd = standardInput ? STDIN_FILENO : open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  struct Closer {
    int fd;
    bool owned;
    ~Closer() {
      if (owned) close(fd);
    }
  } closer{fd, !standardInput};
  struct stat info {};
  if (fstat(fd, &info) != 0) return fail(errno);
  if (S_ISDIR(info.st_mode)) return fail(EISDIR);
  bytes.clear();
  // Read to the size known at once: grown by doubling, a 50 MB message
  // would take 64 MB.
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), kMaxMessageBytes));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(errno);
    if (got == 0) return true;
    if (bytes.size() + static_cast<std::size_t>(got) > kMaxMessageBytes) {
      error = "cannot read " + name + ": larger than " +
              std::to_string(kMaxMessageBytes / (1024 * 1024)) + " MiB, the largest message taken";
      return false;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

int ReadMessageFiles(const Command& command, const std::vector<std::string>& args,
                     MessageFiles& files) {
  OptionParser options({"--json"}, {});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(command, error);
  if (options.Operands().empty()) return UsageError(command, "no message file given");
  files.json = options.Has("--json");
  files.names = options.Operands();
  for (const std::string& file : files.names) {
    if (!ReadMessageFile(file, files.bytes.emplace_back(), error)) return Failure(error);
  }
  return kExitOk;
}

}  // namespace skerrow::cli
