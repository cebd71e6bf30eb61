// A listing with stamps of a directory (MaildirFiles::ListFilesWithStamps)
// begun on a thread of its own as soon as the object is made, so that the
// thousands of lookups of a large address book run beside what a command
// does before it needs them (opening the index, loading the dictionary),
// not after. The first Take gives that listing; later ones list anew, since
// a long-running command wants the directory as it is then.
//
// The thread reads the names first, then looks the files up in chunks it
// claims one at a time; a Take that comes before the end claims chunks too
// rather than wait idle, so that what is left is looked up on both
// processors. The destructor stops the thread where it is (a command that
// never asks for the listing does not wait for all of it). Where no thread
// can be started, or the listing failed on it, Take lists there and then.
#pragma once

#include <dirent.h>

#include <atomic>
#include <cstddef>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "host/maildir/MaildirFiles.h"

namespace skerrow::maildir {

class PrefetchedListing {
 public:
  explicit PrefetchedListing(std::string dir);
  ~PrefetchedListing();
  PrefetchedListing(const PrefetchedListing&) = delete;
  PrefetchedListing& operator=(const PrefetchedListing&) = delete;

  std::vector<StampedFile> Take();

 private:
  enum class Phase { kNaming, kStamping, kFailed };

  // Reads the names, then stamps with the thread's share of the chunks.
  void List(std::stop_token stop);
  // Looks up chunks of names until none is left unclaimed, or a stop. The
  // thread that stamps the last name assembles the listing, so that one that
  // ends before Take is asked for leaves nothing for Take to do.
  void StampChunks(std::stop_token stop);
  void Assemble();

  std::string dir_;
  DIR* handle_ = nullptr;  // open from the naming to the destructor
  // Written by the thread before the phase leaves kNaming; read-only after.
  std::vector<std::string> names_;
  // One slot per name, each written by the one thread that claimed it.
  std::vector<std::optional<FileStamp>> stamps_;
  std::atomic<std::size_t> nextChunk_{0};
  std::atomic<std::size_t> stamped_{0};  // names looked up so far
  std::vector<StampedFile> files_;       // sorted by name, once all are stamped
  bool assembled_ = false;
  std::atomic<Phase> phase_{Phase::kNaming};
  bool taken_ = false;
  // Last, so that it is stopped and joined before the members it writes go.
  std::jthread thread_;
};

}  // namespace skerrow::maildir
