#include "platform/linux/PrefixLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace skerrow {

std::unique_ptr<PrefixLock> PrefixLock::Acquire(const std::filesystem::path& root,
                                                std::string& error) {
  const std::filesystem::path path = root / kFileName;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0 && (errno == EACCES || errno == EROFS)) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);  // flock needs no write access
  }
  if (fd < 0) {
    error = "cannot lock the prefix " + root.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    error = errno == EWOULDBLOCK
                ? "the prefix " + root.string() +
                      " is in use by another instance (locked through " + path.string() + ")"
                : "cannot lock the prefix " + root.string() + ": " + std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<PrefixLock>(new PrefixLock(fd));
}

PrefixLock::~PrefixLock() {
  ::close(fd_);
}

}  // namespace skerrow
