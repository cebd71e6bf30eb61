// The messages of a store: one record per message file for as long as any
// handle holds it (so every handle of a message sees the same location and
// the same unsaved properties), and the file operations on a message that
// raise no events: reading its properties, saving written ones, setting the
// seen flag and renaming it into another folder.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/Result.h"
#include "host/maildir/FolderTree.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirWatcher.h"
#include "host/maildir/MessageRecord.h"
#include "host/maildir/StoreIndex.h"

namespace skerrow::maildir {

class MessageCatalog {
 public:
  // durable: every write and rename is synced to the disk before it counts
  // (off only for scratch stores).
  MessageCatalog(FolderTree& tree, bool durable) : tree_(tree), durable_(durable) {}
  bool Durable() const { return durable_; }

  // With an index, the listings, counts, subject filters and lookups by
  // unique name are answered from it (each folder brought up to date from
  // its listing the first time); without one, from the folders' listings
  // and the message files every time. The answers are the same.
  void UseIndex(std::unique_ptr<StoreIndex> index) { index_ = std::move(index); }
  // Commits the index and lets it go.
  void CloseIndex() { index_.reset(); }
  // Null without one.
  StoreIndex* Index() { return index_.get(); }
  void CommitIndex() {
    if (index_) index_->Commit();
  }
  // Takes the folder's listing again: other programs may have changed it.
  // With a watcher, only what it cannot vouch for is listed.
  void Refresh(const std::shared_ptr<FolderNode>& folder, const MaildirWatcher* watcher = nullptr);

  // The record of a file, shared with every other holder of the message.
  std::shared_ptr<MessageRecord> RecordFor(const std::shared_ptr<FolderNode>& folder,
                                           const std::string& subdir, const std::string& fileName);
  // The folder's messages now, sorted by file name.
  std::vector<std::shared_ptr<MessageRecord>> List(const std::shared_ptr<FolderNode>& folder);
  // Messages in cur/ and new/.
  std::int32_t Count(const std::shared_ptr<FolderNode>& folder);
  // The count the index holds from the last command, the folder left
  // unlisted; the count now when the index does not know the folder.
  std::int32_t LastCount(const std::shared_ptr<FolderNode>& folder);
  // The folder's messages whose subject as the items show it (written but
  // unsaved, else the file's) the filter matches, sorted by file name.
  std::vector<std::shared_ptr<MessageRecord>> Matching(const std::shared_ptr<FolderNode>& folder,
                                                       const SubjectFilter& filter);
  // A subject written to the message, kept until Save writes it into the
  // file; Matching judges the message on it meanwhile.
  void WriteSubject(const std::shared_ptr<MessageRecord>& record, std::u16string subject);
  // Every message of the store with this unique name, folder by folder in
  // the tree's order.
  std::vector<std::shared_ptr<MessageRecord>> WithUniqueName(std::string_view uniqueName);
  // A new message in the folder's new/ (written into tmp/ first, synced,
  // then renamed), its file named from the unique name; kAlreadyExists when
  // one of the name is there.
  Result<std::shared_ptr<MessageRecord>> Create(const std::shared_ptr<FolderNode>& folder,
                                                const std::string& uniqueName,
                                                std::string_view bytes);

  // A batch shares the cost of durability between many messages:
  //   BeginBatch();
  //   Stage(...) for each message;          // written into tmp/, unsynced
  //   SyncStaged();                          // all their contents durable at once
  //                                          // (or TakeUnsynced, to sync them elsewhere)
  //   Admit(...) for each, and whatever the handlers do (renames, rewrites),
  //                                          // directories not synced one by one
  //   EndBatch();                            // every directory touched, synced
  // A kill at any point loses no message that was admitted and admits none
  // twice: a staged file is only ever renamed once, into new/.
  void BeginBatch() { batch_ = true; }
  HResult Stage(const std::shared_ptr<FolderNode>& folder, const std::string& uniqueName,
                std::string_view bytes);
  HResult SyncStaged();
  // The files staged since the last sync, which are the caller's to sync
  // before any of them is admitted; none when the store is not durable.
  std::vector<std::string> TakeUnsynced();
  // The staged file into the folder's new/; bytes are its content, for the
  // summary.
  Result<std::shared_ptr<MessageRecord>> Admit(const std::shared_ptr<FolderNode>& folder,
                                               const std::string& uniqueName,
                                               std::string_view bytes);
  HResult EndBatch();

  // The file's current path. A file renamed behind the store's back (flags
  // changed, new/ to cur/) is found again by its unique name; a file that is
  // gone fails with kFileNotFound. stamp, when given, receives the state the
  // file was found in (one stat serves both).
  Result<std::string> Locate(MessageRecord& record, FileStamp* stamp = nullptr);

  // While one lives, the files of the messages are taken to hold still for
  // other programs as far as reading them goes (Stamp, Summary, Bodies): the
  // handlers of one delivery or one poll read a message's properties a
  // dozen times or more, and each read looked the file up again (a stat
  // each, most of a batch's system calls). A file is then looked up once a
  // span, and again after the catalog moved or rewrote it, or when it is no
  // longer where it was found; a rewrite by another program meanwhile is read
  // from the next span on. Changes always look the file up. Spans nest; the
  // outermost one counts.
  class SteadySpan {
   public:
    explicit SteadySpan(MessageCatalog& catalog);
    ~SteadySpan();
    SteadySpan(const SteadySpan&) = delete;
    SteadySpan& operator=(const SteadySpan&) = delete;

   private:
    MessageCatalog& catalog_;
    bool outermost_;
  };
  Result<FileStamp> Stamp(MessageRecord& record);
  Result<std::shared_ptr<const MessageSummary>> Summary(MessageRecord& record);
  // A message over a mebibyte keeps where its texts are, not the texts
  // (MessageReader::LocateBodies): each of them is read from the file again
  // when asked for, so that it is in memory once while handed out.
  Result<std::shared_ptr<const MessageBodies>> Bodies(MessageRecord& record);
  // The text/plain (html false) or text/html body, as MessageBodies has it.
  Result<std::u16string> Text(MessageRecord& record, bool html);

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
  // Locate for the reads, answered from the steady span when the file was
  // found in it (remembered is then set).
  Result<std::string> LocateForReading(MessageRecord& record, FileStamp& stamp, bool& remembered);
  // The folder's name in the index, synced first; empty without an index.
  std::string IndexKey(const std::shared_ptr<FolderNode>& folder);
  // The same, not synced.
  std::string UnsyncedKey(const std::shared_ptr<FolderNode>& folder) const;
  std::shared_ptr<MessageRecord> RecordFor(const std::shared_ptr<FolderNode>& folder,
                                           const IndexedFile& file) {
    return RecordFor(folder, file.subdir, file.name);
  }
  // Tells the index of a rename the catalog made.
  void NoteRename(const std::string& oldKey, const IndexedFile& oldFile, MessageRecord& record);
  void Rekey(MessageRecord& record, const FolderNode* oldFolder, const std::string& oldUnique);
  void Forget();

  // Makes the last renames in dir durable, at once or at the batch's end.
  void Sync(const std::string& dir) {
    if (!durable_) return;
    if (batch_) {
      unsyncedDirectories_.insert(dir);
    } else {
      MaildirFiles::SyncDirectory(dir);
    }
  }

  FolderTree& tree_;
  bool durable_;
  std::unique_ptr<StoreIndex> index_;
  bool batch_ = false;
  std::vector<std::string> staged_;
  std::set<std::string> unsyncedDirectories_;
  // The folders made whole as Maildirs in this batch: the next message
  // staged there need not make them again.
  std::set<std::string> ensuredDirectories_;
  std::map<Key, std::weak_ptr<MessageRecord>> records_;
  std::size_t sweepAt_ = 1024;
  // The number of the steady span in force, 0 outside one; and the last
  // number given.
  std::uint64_t steadySpan_ = 0;
  std::uint64_t spans_ = 0;
  // The records given a subject that may not be saved yet: Matching judges
  // these beside the index without walking every record of the folder,
  // which made a batch of deliveries quadratic.
  std::map<MessageRecord*, std::weak_ptr<MessageRecord>> unsavedSubjects_;
};

}  // namespace skerrow::maildir
