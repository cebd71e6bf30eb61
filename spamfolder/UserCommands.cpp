#include "spamfolder/UserCommands.h"

#include <string>

#include "base/ErrorLog.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "spamfolder/HelpFile.h"
#include "spamfolder/MarkerFilters.h"
#include "spamfolder/ReportMarks.h"
#include "spamfolder/RestrictedItems.h"
#include "spamfolder/SpamFolderManager.h"
#include "spamfolder/SpamTrainer.h"

namespace skerrow {

namespace {

// To Spam.
constexpr RestrictPlaces kToSpamPlaces{201101, 201102, 201103, 201104, 201106};
constexpr int kPlaceMoveFirst = 201105;
constexpr int kPlaceMoveNext = 201107;
// To Inbox.
constexpr int kPlaceCurrentFolder = 201601;
constexpr int kPlaceInboxSelection = 201602;
constexpr int kPlaceInboxSelectionCount = 201603;
constexpr int kPlaceInboxSelectionItem = 201604;
constexpr int kPlaceMoveToInbox = 201605;
constexpr int kPlaceNoSelection = 201606;
// Mark and Unmark.
constexpr int kPlaceMarkExplorer = 201801;
constexpr int kPlaceMarkSelection = 201802;
constexpr int kPlaceMarkSelectionCount = 201803;
constexpr int kPlaceMarkSelectionItem = 201804;

constexpr const char* kNothingToMove = "Warning: Nothing to move.";
constexpr const char* kOnlyForSpamFolder = "This command is valid only for the Spam Folder!";

void MoveTo(Env env, MailItem& item, const FolderPtr& destination, int place) {
  if (!destination) {
    env.log.LogFailure(hr::kMissing, place);
    return;
  }
  // The item in its new folder is of no further use here.
  env.log.LogFailure(item.Move(destination).status, place);
}

}  // namespace

void UserCommands::MoveMarkedToSpam() {
  // Without the Inbox there is nothing to move, and the user is told so like
  // after any other failed call.
  RestrictedItems marked;
  if (const FolderPtr& inbox = spamFolder_.Inbox()) {
    // All members are collected before the first move, so that moving one
    // cannot make the walk skip the next.
    marked = CollectRestrictedItems(env_, *inbox, kInboxMarkerFilter, kToSpamPlaces);
  } else {
    env_.log.LogFailure(hr::kMissing, kToSpamPlaces.items);
  }
  if (marked.count < 1) {
    env_.platform.ui.ShowMessage(kNothingToMove, "", mb::kOk);
    return;
  }
  bool first = true;
  for (const DispatchPtr& member : marked.members) {
    const int place = first ? kPlaceMoveFirst : kPlaceMoveNext;
    first = false;
    if (const MailItemPtr item = member->AsMailItem()) {
      MoveTo(env_, *item, spamFolder_.SpamFolder(), place);
    }
  }
}

template <class Act>
void UserCommands::ForEachSelectedMail(Selection& selection, const SelectionPlaces& places,
                                       Act act) {
  const Result<std::int32_t> count = selection.Count();
  env_.log.LogFailure(count.status, places.count);
  for (std::int32_t index = 1; index <= count.value; ++index) {
    const Result<DispatchPtr> member = selection.Item(index);
    env_.log.LogFailure(member.status, places.item);
    const MailItemPtr item = member.value ? member.value->AsMailItem() : nullptr;
    if (!item) {
      if (places.notMail) env_.log.LogFailure(hr::kMissing, places.notMail);
      continue;
    }
    act(*item);
  }
}

void UserCommands::MoveSelectionToInbox() {
  // A failed call leaves its value empty and the command goes on: without an
  // explorer there is no current folder, so the user hears that the command
  // is only for the Spam folder.
  const Result<ExplorerPtr> explorer = application_.ActiveExplorer();
  env_.log.LogFailure(explorer.status, kPlaceCurrentFolder);
  FolderPtr current;
  if (explorer.value) {
    Result<FolderPtr> folder = explorer.value->CurrentFolder();
    env_.log.LogFailure(folder.status, kPlaceCurrentFolder);
    current = std::move(folder.value);
  }
  std::u16string currentName;
  if (current) {
    Result<std::u16string> name = current->Name();
    env_.log.LogFailure(name.status, kPlaceCurrentFolder);
    currentName = std::move(name.value);
  }
  if (!current || currentName != spamFolder_.SpamFolderName()) {
    env_.platform.ui.ShowMessage(kOnlyForSpamFolder, "", mb::kOk);
    return;
  }

  const Result<SelectionPtr> selection = explorer.value->GetSelection();
  env_.log.LogFailure(selection.status, kPlaceInboxSelection);
  if (!selection.value) {
    env_.log.LogFailure(hr::kMissing, kPlaceNoSelection);
    return;
  }
  const SelectionPlaces places{kPlaceInboxSelectionCount, kPlaceInboxSelectionItem,
                               kPlaceInboxSelection};
  ForEachSelectedMail(*selection.value, places, [this](MailItem& item) {
    // A message with the Spam-folder marker goes back as it is: the watcher
    // releases it when the Inbox grows.
    if (ItemHasInboxMarker(item)) spamFolder_.UnmarkMessage(item);
    MoveTo(env_, item, spamFolder_.Inbox(), kPlaceMoveToInbox);
  });
}

void UserCommands::ForEachSelectedMailOfMarkCommands(void (UserCommands::*act)(MailItem&)) {
  const Result<ExplorerPtr> explorer = application_.ActiveExplorer();
  env_.log.LogFailure(explorer.status, kPlaceMarkExplorer);
  if (!explorer.value) return;
  const Result<SelectionPtr> selection = explorer.value->GetSelection();
  env_.log.LogFailure(selection.status, kPlaceMarkSelection);
  if (!selection.value) return;
  const SelectionPlaces places{kPlaceMarkSelectionCount, kPlaceMarkSelectionItem, 0};
  ForEachSelectedMail(*selection.value, places,
                      [this, act](MailItem& item) { (this->*act)(item); });
}

void UserCommands::MarkOne(MailItem& item) {
  // Every message without the Inbox marker is taught: the user's word
  // overrides what the watcher's record of taught messages says.
  if (ItemHasInboxMarker(item)) return;
  MessageFeatures features;
  trainer_.extractFeatures(item, features);
  trainer_.LearnSpam(features);
  spamFolder_.MarkClassifiedMessage(item, SpamReason::MarkByUser, 0.0);
}

void UserCommands::UnmarkOne(MailItem& item) {
  // Messages with the Spam-folder marker go back with To Inbox.
  if (ItemHasInboxMarker(item)) spamFolder_.UnmarkMessage(item);
}

void UserCommands::MarkSelection() {
  ForEachSelectedMailOfMarkCommands(&UserCommands::MarkOne);
}

void UserCommands::UnmarkSelection() {
  ForEachSelectedMailOfMarkCommands(&UserCommands::UnmarkOne);
}

void UserCommands::OpenHelp() {
  OpenHelpFile(env_.platform.shell, env_.options);
}

}  // namespace skerrow
