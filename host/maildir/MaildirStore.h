// The Maildir store: the mail host interface over a directory of Maildirs,
// for the command line. One MaildirStore is one open store, locked against
// any other instance for its lifetime.
//
//   auto opening = MaildirStore::Open(dir, {contactsDir, &clipboard});
//   if (!opening.store) { print(opening.error); exit 1; }
//   MaildirStore& store = *opening.store;
//   add-in.OnConnection(store.GetApplication());      // subscribes its sinks
//   auto item = store.Deliver(bytes);                 // new mail, events run
//   auto where = store.Locate(item.value);            // path, folder now
//
// Everything runs on the calling thread. Events raised by a call are
// delivered (with everything the handlers cause) before the call returns,
// unless the call is made from inside a handler, in which case they wait
// for the running handler to return.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"
#include "host/MailHost.h"
#include "host/maildir/StandInCommandBars.h"
#include "host/maildir/StandInPropertyPages.h"

namespace skerrow {
class Clipboard;
}

namespace skerrow::maildir {

class StoreContext;
class StoreLock;
class MaildirWatcher;

struct MaildirStoreOptions {
  // The prefix's contacts/ folder: each *.vcf file one address list. Empty
  // (or missing): no address lists.
  std::string contactsDir;
  // Where PasteFace takes button faces from; null: faces are not recorded.
  Clipboard* clipboard = nullptr;
  // Messages are synced to the disk before a write or a move counts, so that
  // a crash never loses one. Only a scratch store whose contents are thrown
  // away afterwards (an evaluation run) turns this off.
  bool durable = true;
};

struct ItemLocation {
  std::string path;               // the message file now
  std::string uniqueName;         // its identity: the file name up to ":"
  std::u16string topLevelFolder;  // the top-level folder that holds it
  bool unread = true;             // no seen flag
};

class MaildirStore {
 public:
  struct Opening {
    std::unique_ptr<MaildirStore> store;  // null on failure
    HResult status = hr::kOk;
    std::string error;  // one line naming what failed, for the user
  };

  // Opens the store at storeDir: it must exist; a missing Inbox is created;
  // a store another instance holds fails at once (kSharingViolation). Files
  // in the folders' tmp/ older than 36 hours (deliveries that never
  // finished) are removed, as the Maildir convention has it.
  static Opening Open(const std::string& storeDir, const MaildirStoreOptions& options = {});
  ~MaildirStore();
  MaildirStore(const MaildirStore&) = delete;
  MaildirStore& operator=(const MaildirStore&) = delete;

  const std::string& Directory() const { return dir_; }
  ApplicationPtr GetApplication();
  FolderPtr Inbox();
  FolderPtr RootFolder();
  // A folder by its name, or by "Parent/Child" names for a subfolder; exact
  // names first, then names equal but for ASCII letter case.
  Result<FolderPtr> FindFolder(std::u16string_view path);

  // Adds the raw bytes as a message to the Inbox and raises FolderChange for
  // the Inbox and ItemAdd on its items. The result is the item as delivered;
  // where it is after the handlers ran, Locate tells.
  Result<MailItemPtr> Deliver(std::string_view bytes);
  // Many messages at once, each made durable before it is delivered, the
  // cost of durability shared between them:
  //   auto staged = store.Stage(messages);          // written, made durable together
  //   for each: store.DeliverStaged(staged[i].value, messages[i]);  // as Deliver
  //   store.EndDeliveries();                         // what the handlers changed, durable
  // Report nothing before EndDeliveries has succeeded. A message whose
  // staging failed is not delivered. The staged messages are made durable
  // on a thread of their own while the caller goes on; the first
  // DeliverStaged waits for that, and none is delivered if it failed. Once
  // staged, a message is read from its file: DeliverStaged needs no more of
  // its bytes than the header block (MaildirFiles::HeadLength), so a caller
  // may let the rest go.
  std::vector<Result<std::string>> Stage(const std::vector<std::string_view>& messages);
  Result<MailItemPtr> DeliverStaged(const std::string& staged, std::string_view head);
  HResult EndDeliveries();
  // A message by the path of its file (even a path whose flags or folder
  // have changed since) or by its unique name. kFileNotFound when no file of
  // the store has it.
  Result<MailItemPtr> FindItem(std::string_view pathOrUniqueName);
  Result<ItemLocation> Locate(const DispatchPtr& item);
  // The subject the message file holds now, without changes that were
  // written to the item but not saved (a failed save keeps them there).
  Result<std::u16string> StoredSubject(const DispatchPtr& item);

  // The writes of messages and folders that failed since the last call,
  // each one line naming what was not written and why.
  std::vector<std::string> TakeWriteFailures();

  // The explorer's current folder and selection, for the commands that act
  // on them.
  HResult SetCurrentFolder(const FolderPtr& folder);
  void SetSelection(std::vector<DispatchPtr> items);

  // Raises FolderChange for each top-level folder whose item count changed
  // since the store last looked (at Open, or its own last change), then
  // takes every file in Inbox/new as new mail (ItemAdd). Returns the number
  // of events raised.
  int Poll();
  // Waits up to timeoutMs for a change in the store's top-level folders
  // (inotify, or a plain sleep where that is unavailable). False on timeout
  // or when a signal interrupted the wait; Poll finds the changes either way.
  bool WaitForChanges(int timeoutMs);

  // Presses the first command bar button whose tag or caption is the text.
  // kNotFound when the add-in made no such button.
  HResult ClickButton(std::u16string_view captionOrTag);
  std::vector<RecordedButton> Buttons() const;
  // Raises OptionsPagesAdd and returns the pages the handlers added.
  std::vector<RecordedPropertyPage> ShowOptionsPages();

 private:
  MaildirStore(std::string dir, std::unique_ptr<StoreLock> lock,
               std::shared_ptr<StoreContext> context);

  std::string dir_;
  std::unique_ptr<StoreLock> lock_;
  std::shared_ptr<StoreContext> context_;
  std::unique_ptr<MaildirWatcher> watcher_;
};

}  // namespace skerrow::maildir
