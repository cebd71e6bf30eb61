#include "host/maildir/StaleTemporaryFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include "host/maildir/MaildirFiles.h"

namespace skerrow::maildir {

void RemoveStaleTemporaryFiles(const std::string& tmpDir, std::time_t now) {
  for (const std::string& name : MaildirFiles::ListFiles(tmpDir)) {
    const std::string path = tmpDir + "/" + name;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (now - info.st_mtime > kStaleTemporaryAge) unlink(path.c_str());
  }
}

}  // namespace skerrow::maildir
