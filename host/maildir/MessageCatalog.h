// The messages of a store: one record per message file for as long as any
// handle holds it (so every handle of a message sees the same location and
// the same unsaved properties), and the file operations on a message that
// raise no events: reading its properties, saving written ones, setting the
// seen flag and renaming it into another folder.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Result.h"
#include "host/maildir/FolderTree.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MessageRecord.h"

namespace skerrow::maildir {

class MessageCatalog {
 public:
  // durable: every write and rename is synced to the disk before it counts
  // (off only for scratch stores).
  MessageCatalog(FolderTree& tree, bool durable) : tree_(tree), durable_(durable) {}
  bool Durable() const { return durable_; }

  // The record of a file, shared with every other holder of the message.
  std::shared_ptr<MessageRecord> RecordFor(const std::shared_ptr<FolderNode>& folder,
                                           const std::string& subdir, const std::string& fileName);
  // The folder's messages now, new/ before cur/, each sorted by name.
  std::vector<std::shared_ptr<MessageRecord>> List(const std::shared_ptr<FolderNode>& folder);

  // The file's current path. A file renamed behind the store's back (flags
  // changed, new/ to cur/) is found again by its unique name; a file that is
  // gone fails with kFileNotFound.
  Result<std::string> Locate(MessageRecord& record);
  Result<FileStamp> Stamp(MessageRecord& record);
  Result<std::shared_ptr<const MessageSummary>> Summary(MessageRecord& record);
  Result<std::shared_ptr<const MessageBodies>> Bodies(MessageRecord& record);

  // Writes the pending properties into the file (atomically); nothing to do
  // when none are pending. On failure the file and the pending values stay.
  HResult Save(MessageRecord& record);
  HResult SetSeen(MessageRecord& record, bool seen);
  // Renames the file into the folder's cur/, keeping its flags. Fails with
  // kAlreadyExists when the folder holds a message of the same unique name.
  HResult Relocate(MessageRecord& record, const std::shared_ptr<FolderNode>& destination);
  // Takes a file of new/ into cur/ ("seen by the client", not the S flag).
  HResult TakeIntoCur(MessageRecord& record);

 private:
  using Key = std::pair<const FolderNode*, std::string>;

  std::string PathOf(const MessageRecord& record) const;
  void Rekey(MessageRecord& record, const FolderNode* oldFolder, const std::string& oldUnique);
  void Forget();

  void Sync(const std::string& dir) const {
    if (durable_) MaildirFiles::SyncDirectory(dir);
  }

  FolderTree& tree_;
  bool durable_;
  std::map<Key, std::weak_ptr<MessageRecord>> records_;
  std::size_t sweepAt_ = 1024;
};

}  // namespace skerrow::maildir
