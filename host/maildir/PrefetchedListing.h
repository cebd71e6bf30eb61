// A listing with stamps of a directory (MaildirFiles::ListFilesWithStamps)
// begun on a thread of its own as soon as the object is made, so that the
// thousands of lookups of a large address book run beside what a command
// does before it needs them (opening the index, loading the dictionary),
// not after. The first Take gives that listing; later ones list anew, since
// a long-running command wants the directory as it is then.
//
// The thread only reads the directory and the object's own members; Take
// waits for it, and the destructor stops it where it is (a command that
// never asks for the listing does not wait for all of it). Where no thread
// can be started, or the listing failed on it, Take lists there and then.
#pragma once

#include <string>
#include <thread>
#include <vector>

#include "host/maildir/MaildirFiles.h"

namespace skerrow::maildir {

class PrefetchedListing {
 public:
  explicit PrefetchedListing(std::string dir);
  PrefetchedListing(const PrefetchedListing&) = delete;
  PrefetchedListing& operator=(const PrefetchedListing&) = delete;

  std::vector<StampedFile> Take();

 private:
  std::string dir_;
  std::vector<StampedFile> listed_;
  bool listedInFull_ = false;  // written by the thread, read after joining it
  // Last, so that it is stopped and joined before the members it writes go.
  std::jthread thread_;
};

}  // namespace skerrow::maildir
