#include "host/maildir/StoreLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

Result<std::unique_ptr<StoreLock>> StoreLock::Acquire(const std::string& storeDir) {
  const std::string path = storeDir + "/" + kFileName;
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0 && (errno == EACCES || errno == EROFS)) {
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);  // flock needs no write access
  }
  if (fd < 0) return Fail<std::unique_ptr<StoreLock>>(StatusFromErrno(errno));
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const HResult status = errno == EWOULDBLOCK ? kSharingViolation : StatusFromErrno(errno);
    close(fd);
    return Fail<std::unique_ptr<StoreLock>>(status);
  }
  return Ok(std::unique_ptr<StoreLock>(new StoreLock(fd)));
}

StoreLock::~StoreLock() {
  close(fd_);
}

}  // namespace skerrow::maildir
