#include "platform/linux/LinuxReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace skerrow {

namespace {

void SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Best effort: the rename is done; some file systems cannot sync folders.
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::unique_ptr<LinuxReplacementFile> LinuxReplacementFile::Create(
    const std::filesystem::path& target) {
  if (target.filename().empty()) return nullptr;
  std::string pattern = target.string() + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  // mkostemp creates the file for its owner only; the replacement keeps the
  // old file's permissions, or gets the usual ones for a new file.
  struct stat old {};
  mode_t mode = 0644;
  if (::stat(target.c_str(), &old) == 0) mode = old.st_mode & 07777;
  ::fchmod(fd, mode);
  return std::unique_ptr<LinuxReplacementFile>(
      new LinuxReplacementFile(fd, std::filesystem::path(name.data()), target));
}

LinuxReplacementFile::~LinuxReplacementFile() {
  if (done_) return;
  ::close(fd_);
  ::unlink(temporary_.c_str());
}

bool LinuxReplacementFile::Write(const void* data, std::size_t size) {
  if (done_ || failed_) return false;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t written = ::write(fd_, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      failed_ = true;
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
    failed_ = true;
    return false;
  }
  done_ = true;
  bool closed = ::close(fd_) == 0;
  if (!closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    ::unlink(temporary_.c_str());
    return false;
  }
  SyncFolder(target_.parent_path());
  return true;
}

}  // namespace skerrow
