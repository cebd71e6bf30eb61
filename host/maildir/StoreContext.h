// Everything one open store shares between the handles it gives out: the
// folder tree, the message records, the event queue, and the state of the
// command-line "window" (current folder, selection, command bars). Handles
// hold the context, so it lives as long as the last of them; the lock on the
// store belongs to MaildirStore alone.
//
// The operations that change what a folder holds raise the mail client's
// events through the queue: FolderChange on the collection that holds the
// folder, for each folder whose item count changed (source first, then
// destination), then ItemAdd on the destination's items.
#pragma once

#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/EventQueue.h"
#include "host/MailHost.h"
#include "host/maildir/FolderTree.h"
#include "host/maildir/MaildirWatcher.h"
#include "host/maildir/MessageCatalog.h"
#include "host/maildir/PrefetchedListing.h"
#include "host/maildir/StandInCommandBars.h"

namespace skerrow {
class Clipboard;
}

namespace skerrow::maildir {

class StoreContext : public std::enable_shared_from_this<StoreContext> {
 public:
  StoreContext(std::string storeDir, std::unique_ptr<StoreLayout> layout, std::string contactsDir,
               Clipboard* clipboard, bool durable = true);
  StoreContext(const StoreContext&) = delete;
  StoreContext& operator=(const StoreContext&) = delete;

  FolderTree& Tree() { return tree_; }
  MessageCatalog& Catalog() { return catalog_; }
  const std::shared_ptr<EventQueue>& Queue() const { return queue_; }
  EventQueue::SinkList& ApplicationEvents() { return applicationEvents_; }
  const std::string& ContactsDirectory() const { return contactsDir_; }
  // The contacts folder's files with their stamps: listed on a thread of
  // its own from the store's opening for the first call, anew after.
  std::vector<StampedFile> ListContacts();
  // Stops the listing begun at the opening, if it still runs; later
  // listings are made when asked for.
  void StopContactsListing() { contacts_.reset(); }
  const std::shared_ptr<StandInCommandBars>& CommandBars() const { return commandBars_; }

  // Handles.
  FolderPtr FolderHandle(const std::shared_ptr<FolderNode>& node);
  MailItemPtr ItemHandle(const std::shared_ptr<MessageRecord>& record);
  NameSpacePtr NameSpaceHandle();
  ExplorerPtr ExplorerHandle();
  ApplicationPtr ApplicationHandle();

  // The explorer's state. The current folder is the Inbox until set.
  std::shared_ptr<FolderNode> CurrentFolder();
  void SetCurrentFolder(std::shared_ptr<FolderNode> node) { currentFolder_ = std::move(node); }
  const std::vector<DispatchPtr>& Selection() const { return selection_; }
  void SetSelection(std::vector<DispatchPtr> items) { selection_ = std::move(items); }

  // The subject as the item shows it: written but unsaved, else the file's.
  Result<std::u16string> SubjectOf(MessageRecord& record);

  // Moves a message into another folder, raising the events of a move.
  Result<MailItemPtr> Move(const std::shared_ptr<MessageRecord>& record,
                           const std::shared_ptr<FolderNode>& destination);
  // Adds a message to the Inbox (tmp/, then new/, then cur/) and raises
  // FolderChange for the Inbox and ItemAdd on its items.
  Result<std::shared_ptr<MessageRecord>> Deliver(std::string_view bytes);
  // Delivery in a batch (see MessageCatalog::BeginBatch): every message
  // written and made durable first, each then delivered with its events as
  // Deliver does, and the changes the handlers made synced at the end. The
  // staged messages are synced on a thread of their own, beside what the
  // caller does next; the first DeliverStaged waits for it, and every one
  // fails with its status if it failed.
  std::vector<Result<std::string>> StageDeliveries(const std::vector<std::string_view>& messages);
  Result<std::shared_ptr<MessageRecord>> DeliverStaged(const std::string& uniqueName,
                                                       std::string_view bytes);
  HResult EndDeliveries();
  // Raises FolderChange for each top-level folder whose item count changed
  // since last seen, then takes each file in the Inbox's new/ as new mail
  // (into cur/, then ItemAdd). Returns the number of events raised. With a
  // watcher, folders are listed only where it cannot vouch for the index;
  // what it saw is then taken as looked at.
  int Poll(MaildirWatcher* watcher = nullptr);
  // A message by the path of its file (as it is or was) or its unique name.
  Result<std::shared_ptr<MessageRecord>> Find(std::string_view pathOrUniqueName);
  // Remembers the item count of every top-level folder as the baseline the
  // watcher compares against: the count the index kept from the last
  // command, else the count now.
  void RememberTopLevelCounts();

  // The writes that failed: saving, flagging or moving a message, creating
  // or renaming a folder (a delivery reports its own failure to its caller). The handler that asked
  // for one only logs its status; the command line reports these, each one line naming what was not
  // written and the system's reason.
  void NoteWriteFailure(const std::string& what, HResult status);
  std::vector<std::string> TakeWriteFailures();

 private:
  void RaiseFolderChange(const std::shared_ptr<FolderNode>& node);
  void RaiseItemAdd(const std::shared_ptr<FolderNode>& node,
                    const std::shared_ptr<MessageRecord>& record);
  // Updates a folder's known count and reports whether it changed.
  bool RefreshCount(const std::shared_ptr<FolderNode>& node);
  void RaiseDelivered(const std::shared_ptr<MessageRecord>& record);
  // The outcome of the sync of the messages staged last, once it is over.
  HResult StagedSync();

  std::shared_ptr<EventQueue> queue_;
  FolderTree tree_;
  MessageCatalog catalog_;
  std::string contactsDir_;
  std::unique_ptr<PrefetchedListing> contacts_;
  EventQueue::SinkList applicationEvents_;
  std::shared_ptr<StandInCommandBars> commandBars_;
  std::shared_ptr<FolderNode> currentFolder_;
  std::vector<DispatchPtr> selection_;
  unsigned long deliveries_ = 0;
  std::vector<std::string> writeFailures_;
  HResult stagedStatus_ = hr::kOk;
  // Last, so that the context waits for the sync before anything goes.
  std::future<HResult> stagedSync_;
};

}  // namespace skerrow::maildir
