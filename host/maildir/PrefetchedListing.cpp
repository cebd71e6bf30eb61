#include "host/maildir/PrefetchedListing.h"

#include <system_error>
#include <utility>

namespace skerrow::maildir {

PrefetchedListing::PrefetchedListing(std::string dir) : dir_(std::move(dir)) {
  try {
    thread_ = std::jthread([this](std::stop_token stop) {
      try {
        listed_ = MaildirFiles::ListFilesWithStamps(dir_, stop);
        listedInFull_ = !stop.stop_requested();
      } catch (...) {
        // Out of memory on the way: Take lists again on its own thread.
      }
    });
  } catch (const std::system_error&) {
    // No thread to be had: Take lists by itself.
  }
}

std::vector<StampedFile> PrefetchedListing::Take() {
  if (thread_.joinable()) {
    thread_.join();
    if (listedInFull_) return std::exchange(listed_, {});
  }
  return MaildirFiles::ListFilesWithStamps(dir_);
}

}  // namespace skerrow::maildir
