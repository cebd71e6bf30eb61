#include "host/maildir/PrefetchedListing.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

namespace skerrow::maildir {

namespace {

// Small enough that the two threads end close together, large enough that
// claiming costs nothing beside the lookups.
constexpr std::size_t kChunk = 64;

}  // namespace

PrefetchedListing::PrefetchedListing(std::string dir) : dir_(std::move(dir)) {
  try {
    thread_ = std::jthread([this](std::stop_token stop) { List(stop); });
  } catch (const std::system_error&) {
    // No thread to be had: Take lists by itself.
  }
}

PrefetchedListing::~PrefetchedListing() {
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
  if (handle_ != nullptr) closedir(handle_);
}

void PrefetchedListing::List(std::stop_token stop) {
  try {
    handle_ = opendir(dir_.c_str());
    if (handle_ != nullptr) {
      while (const dirent* entry = readdir(handle_)) {
        if (stop.stop_requested()) break;
        if (entry->d_name[0] != '.') names_.emplace_back(entry->d_name);
      }
    }
    if (handle_ == nullptr || stop.stop_requested()) {
      phase_ = Phase::kFailed;
    } else {
      stamps_.resize(names_.size());
      phase_ = Phase::kStamping;
    }
  } catch (...) {
    // Out of memory on the way: Take lists again on its own thread.
    phase_ = Phase::kFailed;
  }
  phase_.notify_all();
  if (phase_ == Phase::kStamping) StampChunks(stop);
}

void PrefetchedListing::StampChunks(std::stop_token stop) {
  const std::size_t count = names_.size();
  while (!stop.stop_requested()) {
    const std::size_t first = nextChunk_.fetch_add(kChunk);
    if (first >= count) return;
    const std::size_t last = std::min(first + kChunk, count);
    for (std::size_t i = first; i < last; ++i) {
      stamps_[i] = MaildirFiles::RegularFileStamp(dirfd(handle_), names_[i].c_str());
    }
    if (stamped_.fetch_add(last - first) + (last - first) == count) {
      try {
        Assemble();
      } catch (const std::bad_alloc&) {
        // Nothing was moved yet: Take assembles on its own thread.
      }
    }
  }
}

void PrefetchedListing::Assemble() {
  files_.reserve(names_.size());
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (stamps_[i]) files_.push_back({std::move(names_[i]), *stamps_[i]});
  }
  MaildirFiles::SortByName(files_);
  assembled_ = true;
}

std::vector<StampedFile> PrefetchedListing::Take() {
  if (taken_ || !thread_.joinable()) return MaildirFiles::ListFilesWithStamps(dir_);
  taken_ = true;
  phase_.wait(Phase::kNaming);
  if (phase_ == Phase::kStamping) StampChunks({});
  thread_.join();
  if (phase_ == Phase::kFailed) return MaildirFiles::ListFilesWithStamps(dir_);
  if (!assembled_) Assemble();
  return std::move(files_);
}

}  // namespace skerrow::maildir
