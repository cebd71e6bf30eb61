#include "platform/linux/LinuxReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

namespace skerrow {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kTemporarySuffix = 6;  // the XXXXXX of mkostemp

void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Best effort: the rename is done; some file systems cannot sync folders.
  ::fsync(fd);
  ::close(fd);
}

bool IsTemporaryName(const std::string& name) {
  if (name.size() <= kTemporaryMark.size() + kTemporarySuffix) return false;
  const std::size_t mark = name.size() - kTemporarySuffix - kTemporaryMark.size();
  if (name.compare(mark, kTemporaryMark.size(), kTemporaryMark) != 0) return false;
  for (std::size_t i = name.size() - kTemporarySuffix; i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
      return false;
    }
  }
  return true;
}

// 0 when the target may be replaced (or does not exist yet), else the error
// that refuses it.
int RefusalOf(const std::filesystem::path& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) return 0;
  if (S_ISDIR(old.st_mode)) return EISDIR;
  // No write bit at all is the read-only attribute of the user's choice;
  // root could open it for writing, Windows would still refuse.
  if ((old.st_mode & 0222) == 0) return EACCES;
  if (!S_ISREG(old.st_mode)) return 0;
  int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

}  // namespace

std::unique_ptr<LinuxReplacementFile> LinuxReplacementFile::Create(
    const std::filesystem::path& target, WriteFailures* failures) {
  const auto refuse = [&](int error) -> std::unique_ptr<LinuxReplacementFile> {
    if (failures) failures->AddError(target, error);
    return nullptr;
  };
  if (target.filename().empty()) return refuse(EISDIR);
  if (const int refusal = RefusalOf(target); refusal != 0) return refuse(refusal);
  std::string pattern = target.string() + std::string(kTemporaryMark) + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return refuse(errno);
  // mkostemp creates the file for its owner only, which suits a new file
  // (the prefix holds the user's mail habits); a replacement keeps the old
  // file's permissions.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  return std::unique_ptr<LinuxReplacementFile>(
      new LinuxReplacementFile(fd, std::filesystem::path(name.data()), target, failures));
}

void LinuxReplacementFile::RemoveStale(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
    if (IsTemporaryName(it->path().filename().string())) ::unlink(it->path().c_str());
  }
}

LinuxReplacementFile::~LinuxReplacementFile() {
  if (done_) return;
  ::close(fd_);
  ::unlink(temporary_.c_str());
}

void LinuxReplacementFile::Fail(int error) {
  if (!failed_ && failures_) failures_->AddError(target_, error);
  failed_ = true;
}

bool LinuxReplacementFile::Write(const void* data, std::size_t size) {
  if (done_ || failed_) return false;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = ::write(fd_, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      Fail(written < 0 ? errno : ENOSPC);
      return false;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool LinuxReplacementFile::Commit() {
  if (done_ || failed_) return false;
  if (::fsync(fd_) != 0) {
    Fail(errno);
    return false;
  }
  done_ = true;
  if (::close(fd_) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary_.c_str());
    Fail(error);
    return false;
  }
  SyncFolder(target_.parent_path());
  return true;
}

}  // namespace skerrow
