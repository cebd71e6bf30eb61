#include "tests/support/TempFolder.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace skerrow {

namespace {

// Tests create and remove many small files: a memory file system makes that
// some ten times faster than a disk, so it is preferred when there is one.
std::string BaseFolder() {
  if (const char* base = std::getenv("TMPDIR"); base && *base) return base;
  if (::access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
  return "/tmp";
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = BaseFolder() + "/skerrow-test-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
  path_ = name.data();
}

TempFolder::~TempFolder() {
  // Tests may have taken rights away from folders inside; give them back so
  // that everything can be removed.
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0700);
  }
  ::chmod(path_.c_str(), 0700);
  std::filesystem::remove_all(path_, ec);
}

}  // namespace skerrow
