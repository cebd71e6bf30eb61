// The Spam folder: a sibling of the Inbox named by sSpamBoxName, found or
// created at start-up, renamed when the option changes, and watched through
// the top-level folders' FolderChange so that the filter learns from what the
// user does:
// - a message that enters the Spam folder without the Spam-folder marker is
//   taken in (marked read, relearned as spam, marked), and one that the
//   system had marked in the Inbox only gets the "_" in front;
// - a message with the Spam-folder marker that turns up in another top-level
//   folder is released (marks removed, unlearned as spam).
//
// Owned by the add-in object for one connection; every handler runs on the
// mail client's one thread. Failed host calls are logged with their places and
// the next step is tried.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/Env.h"
#include "engine/SpamVerdict.h"
#include "host/MailHost.h"
#include "spamfolder/ReportMarks.h"
#include "spamfolder/TaughtMessages.h"

namespace skerrow {

class SpamTrainer;

// Folder name (exact) to its item count as last seen.
using FolderItemCounts = std::map<std::u16string, std::int32_t>;

class SpamFolderManager {
 public:
  // The trainer is borrowed and must outlive the manager.
  SpamFolderManager(Env env, SpamTrainer& trainer) : env_(env), trainer_(trainer) {}
  SpamFolderManager(const SpamFolderManager&) = delete;
  SpamFolderManager& operator=(const SpamFolderManager&) = delete;

  // Start-up lookup: takes the name from sSpamBoxName, gets the "MAPI"
  // namespace, the default Inbox, its parent and the parent's folders,
  // subscribes folderChangeSink to their FolderChange, records every
  // top-level folder's item count and takes the folder of that name (the last
  // one when several match), creating it beside the Inbox when none does. The
  // sink is borrowed and must stay alive until DisconnectFolderChange.
  void LocateSpamFolder(Application& application, EventSink* folderChangeSink);

  // Cancels the FolderChange subscription (shutdown); a subscription whose
  // cancelling failed is kept, to be tried again.
  void DisconnectFolderChange();
  bool HoldsFolderChange() const { return folderChangeCookie_.has_value(); }

  // Gives the Spam folder the name sSpamBoxName now holds. When the folder
  // refuses, tells the user "Warning: Renaming is impossible." and keeps the
  // old name.
  void RenameSpamFolder();

  // FolderChange of a top-level folder: when the folder has grown since its
  // last change, takes in the unmarked messages of the Spam folder or releases
  // the marked messages of any other folder.
  void OnFolderChange(const DispatchPtr& folder);

  // Takes one message of the Spam folder in; null is logged and ignored.
  void AcceptIntoSpamFolder(MailItem* item);

  // Removes the message's marks, then unlearns it as spam.
  void UnmarkMessage(MailItem& item);

  // Marks a message judged spam, moving it into the Spam folder when
  // bSpamAutoMove is on. A message left without a marker (a private one, or
  // one whose subject could not be written) is recorded as taught, so that the
  // watcher does not teach it a second time when it meets it in the Spam
  // folder.
  MarkedMessage MarkClassifiedMessage(MailItem& item, SpamReason reason, double score);

  // Records that a message now in, or bound for, the Spam folder must not be
  // taught by the watcher: it was taught already, or deliberately not at all
  // (a private message moved there untouched). A message whose entry id
  // cannot be read is not recorded.
  void NoteAlreadyTaught(MailItem& item);

  // The record of taught messages lives in its own file in the dictionary's
  // folder (the installation folder), read at the first connection of the
  // add-in object and written at each disconnection.
  void LoadTaughtMessages(std::string_view folder);
  void SaveTaughtMessages();

  // Held for the connection; null when they could not be obtained.
  const FolderPtr& SpamFolder() const { return spamFolder_; }
  const FolderPtr& Inbox() const { return inbox_; }
  const NameSpacePtr& MapiNameSpace() const { return nameSpace_; }
  const FoldersPtr& TopLevelFolders() const { return topLevelFolders_; }
  const std::u16string& SpamFolderName() const { return spamFolderName_; }
  const FolderItemCounts& ItemCounts() const { return itemCounts_; }
  const TaughtMessages& Taught() const { return taught_; }

 private:
  std::int32_t CountItems(Folder& folder);
  void ReleaseMarkedMessages(Folder& folder);
  void TakeInUnmarkedMessages(Folder& folder);

  Env env_;
  SpamTrainer& trainer_;
  NameSpacePtr nameSpace_;
  FolderPtr inbox_;
  DispatchPtr inboxParent_;
  FoldersPtr topLevelFolders_;
  std::optional<std::uint32_t> folderChangeCookie_;
  FolderPtr spamFolder_;
  std::u16string spamFolderName_;
  FolderItemCounts itemCounts_;
  TaughtMessages taught_;
  std::string taughtPath_;  // empty until loaded
};

}  // namespace skerrow
