#include "spamfolder/SpamFolderManager.h"

#include <utility>

#include "base/ErrorLog.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "spamfolder/MarkerFilters.h"
#include "spamfolder/RestrictedItems.h"
#include "spamfolder/SpamTrainer.h"

namespace skerrow {

namespace {

// Start-up lookup.
constexpr int kPlaceNameSpace = 200406;
constexpr int kPlaceInbox = 200408;
constexpr int kPlaceInboxParent = 200409;
constexpr int kPlaceTopLevelFolders = 200410;
constexpr int kPlaceAdviseFolderChange = 200411;
constexpr int kPlaceFolderCount = 200412;
constexpr int kPlaceNoFolders = 200413;
constexpr int kPlaceFolderItem = 200414;
constexpr int kPlaceFolderName = 200415;
constexpr int kPlaceCreateSpamFolder = 200416;
constexpr int kPlaceCreatedName = 200417;
// Shutdown.
constexpr int kPlaceUnadviseFolderChange = 200702;
// Counting a folder's items.
constexpr int kPlaceCountItems = 300101;
constexpr int kPlaceCountItemsCount = 300102;
// Renaming.
constexpr int kPlaceRename = 201701;
// The watcher.
constexpr int kPlaceChangedFolderName = 202501;
constexpr RestrictPlaces kReleasePlaces{202505, 202506, 202507, 202508, 202509};
constexpr RestrictPlaces kTakeInPlaces{202510, 202511, 202512, 202513, 202514};
constexpr int kPlaceMarkAsRead = 202601;
constexpr int kPlaceSensitivity = 202602;
constexpr int kPlaceNoItem = 202603;

constexpr const char* kRenameRefused = "Warning: Renaming is impossible.";

// The item's entry id, or empty when it cannot be read. The place table has
// no step for this read, so a failure is not logged; an empty id is never
// recorded, and the message is then treated as the watcher always did.
std::u16string EntryIdOf(MailItem& item) {
  Result<std::u16string> id = item.EntryID();
  return id.ok() ? std::move(id.value) : std::u16string();
}

// The wait cursor for the rest of a handler.
class WaitCursor {
 public:
  explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
  ~WaitCursor() { ui_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UserInterface& ui_;
};

}  // namespace

std::int32_t SpamFolderManager::CountItems(Folder& folder) {
  const Result<ItemsPtr> items = folder.GetItems();
  env_.log.LogFailure(items.status, kPlaceCountItems);
  if (!items.ok() || !items.value) return 0;
  const Result<std::int32_t> count = items.value->Count();
  env_.log.LogFailure(count.status, kPlaceCountItemsCount);
  return count.value;
}

void SpamFolderManager::LocateSpamFolder(Application& application, EventSink* folderChangeSink) {
  // A new connection starts from nothing: what an earlier one found may be
  // gone or renamed.
  nameSpace_.reset();
  inbox_.reset();
  inboxParent_.reset();
  topLevelFolders_.reset();
  folderChangeCookie_.reset();
  spamFolder_.reset();
  itemCounts_.clear();
  spamFolderName_ = env_.platform.codePage.ToWide(env_.options.sSpamBoxName);

  const Result<NameSpacePtr> nameSpace = application.GetNamespace(u"MAPI");
  env_.log.LogFailure(nameSpace.status, kPlaceNameSpace);
  nameSpace_ = nameSpace.value;
  if (!nameSpace_) return;

  const Result<FolderPtr> inbox = nameSpace_->GetDefaultFolder(olk::kFolderInbox);
  env_.log.LogFailure(inbox.status, kPlaceInbox);
  inbox_ = inbox.value;
  if (!inbox_) return;

  const Result<DispatchPtr> parent = inbox_->Parent();
  env_.log.LogFailure(parent.status, kPlaceInboxParent);
  inboxParent_ = parent.value;
  const FolderPtr parentFolder = inboxParent_ ? inboxParent_->AsFolder() : nullptr;
  if (!parentFolder) return;

  const Result<FoldersPtr> folders = parentFolder->GetFolders();
  env_.log.LogFailure(folders.status, kPlaceTopLevelFolders);
  topLevelFolders_ = folders.value;
  if (!topLevelFolders_) return;

  if (folderChangeSink) {
    const Result<std::uint32_t> cookie =
        topLevelFolders_->Advise(EventInterface::FoldersEvents, folderChangeSink);
    env_.log.LogFailure(cookie.status, kPlaceAdviseFolderChange);
    if (cookie.ok()) folderChangeCookie_ = cookie.value;
  }

  const Result<std::int32_t> count = topLevelFolders_->Count();
  env_.log.LogFailure(count.status, kPlaceFolderCount);
  if (count.ok() && count.value < 1) env_.log.LogFailure(hr::kMissing, kPlaceNoFolders);

  // Every folder is visited, so that every count is known; the last folder
  // of the name wins.
  FolderPtr match;
  for (std::int32_t index = 1; index <= count.value; ++index) {
    const Result<FolderPtr> folder = topLevelFolders_->Item(index);
    env_.log.LogFailure(folder.status, kPlaceFolderItem);
    if (!folder.ok() || !folder.value) continue;
    const Result<std::u16string> name = folder.value->Name();
    env_.log.LogFailure(name.status, kPlaceFolderName);
    itemCounts_[name.value] = CountItems(*folder.value);
    if (name.ok() && name.value == spamFolderName_) match = folder.value;
  }

  if (!match) {
    const Result<FolderPtr> created = topLevelFolders_->Add(spamFolderName_, olk::kFolderDrafts);
    env_.log.LogFailure(created.status, kPlaceCreateSpamFolder);
    match = created.value;
    if (match) {
      const Result<std::u16string> name = match->Name();
      env_.log.LogFailure(name.status, kPlaceCreatedName);
      itemCounts_[name.value] = CountItems(*match);
    }
  }
  spamFolder_ = match;
}

void SpamFolderManager::DisconnectFolderChange() {
  if (!topLevelFolders_ || !folderChangeCookie_) return;
  const HResult status = topLevelFolders_->Unadvise(*folderChangeCookie_);
  env_.log.LogFailure(status, kPlaceUnadviseFolderChange);
  if (hr::Succeeded(status)) folderChangeCookie_.reset();
}

void SpamFolderManager::RenameSpamFolder() {
  if (!spamFolder_) {
    env_.log.LogFailure(hr::kMissing, kPlaceRename);
    return;
  }
  const Result<std::u16string> current = spamFolder_->Name();
  env_.log.LogFailure(current.status, kPlaceRename);
  const std::u16string wanted = env_.platform.codePage.ToWide(env_.options.sSpamBoxName);
  if (current.ok() && current.value == wanted) return;

  const HResult renamed = spamFolder_->SetName(wanted);
  env_.log.LogFailure(renamed, kPlaceRename);
  if (hr::Failed(renamed)) {
    env_.platform.ui.ShowMessage(kRenameRefused, "", mb::kOk);
    return;
  }
  // The folder keeps its count under its new name, so that the first message
  // moved in after the rename is seen as growth.
  const auto counted = itemCounts_.find(spamFolderName_);
  if (counted != itemCounts_.end()) {
    const std::int32_t count = counted->second;
    itemCounts_.erase(counted);
    itemCounts_[wanted] = count;
  }
  spamFolderName_ = wanted;
}

void SpamFolderManager::OnFolderChange(const DispatchPtr& changed) {
  const FolderPtr folder = changed ? changed->AsFolder() : nullptr;
  if (!folder) {
    env_.log.LogFailure(hr::kMissing, kPlaceChangedFolderName);
    return;
  }
  const Result<std::u16string> name = folder->Name();
  env_.log.LogFailure(name.status, kPlaceChangedFolderName);
  if (!name.ok()) return;

  // A folder first seen now (made or renamed since start-up) has no earlier
  // count to grow from: it is only recorded.
  const std::int32_t count = CountItems(*folder);
  const auto [counted, firstSeen] = itemCounts_.try_emplace(name.value, count);
  const std::int32_t growth = firstSeen ? 0 : count - counted->second;
  counted->second = count;
  if (growth <= 0) return;

  WaitCursor wait(env_.platform.ui);
  if (name.value != spamFolderName_) {
    ReleaseMarkedMessages(*folder);
  } else {
    TakeInUnmarkedMessages(*folder);
  }
}

void SpamFolderManager::ReleaseMarkedMessages(Folder& folder) {
  const RestrictedItems marked =
      CollectRestrictedItems(env_, folder, kSpamFolderMarkerFilter, kReleasePlaces);
  for (const DispatchPtr& member : marked.members) {
    if (const MailItemPtr item = member->AsMailItem()) UnmarkMessage(*item);
  }
}

void SpamFolderManager::TakeInUnmarkedMessages(Folder& folder) {
  const RestrictedItems unmarked =
      CollectRestrictedItems(env_, folder, kNoSpamFolderMarkerFilter, kTakeInPlaces);
  // Members that are not mail (meeting requests, reports) are passed over;
  // they must not hold up the messages behind them.
  for (const DispatchPtr& member : unmarked.members) {
    if (const MailItemPtr item = member->AsMailItem()) AcceptIntoSpamFolder(item.get());
  }
}

void SpamFolderManager::AcceptIntoSpamFolder(MailItem* item) {
  if (!item) {
    env_.log.LogFailure(hr::kMissing, kPlaceNoItem);
    return;
  }
  const std::optional<std::u16string> subject = ReadSubjectForSpamFolderMarker(env_, *item);
  const bool inboxMarker = subject && HasInboxMarker(*subject);
  if (subject && HasSpamFolderMarker(*subject)) return;  // taken in before

  if (env_.options.bMarkAsRead) env_.log.LogFailure(item->SetUnRead(false), kPlaceMarkAsRead);
  const Result<std::int32_t> sensitivity = item->Sensitivity();
  env_.log.LogFailure(sensitivity.status, kPlaceSensitivity);
  const bool isPrivate = sensitivity.value == olk::kSensitivityPrivate;

  if (inboxMarker) {
    // Classified and marked by the system, which has trained on it already.
    if (!isPrivate) ConvertToSpamFolderMarker(env_, *item);
    return;
  }

  // Put here by the user: a lesson, unless this message has had it already
  // (or was put here on purpose untaught) and, having no marker, is met again.
  const std::u16string id = EntryIdOf(*item);
  if (!taught_.Contains(id)) {
    MessageFeatures features;
    trainer_.extractFeatures(*item, features);
    trainer_.RelearnSpam(features);
  }
  const bool marked = !isPrivate && AddReportMark(env_, *item, true, SpamReason::MarkByUser, -1.0);
  // Remembering again keeps a message that stays in the folder among the
  // most recent, whatever the record's limit drops.
  if (marked) {
    taught_.Forget(id);
  } else {
    taught_.Remember(id);
  }
}

void SpamFolderManager::UnmarkMessage(MailItem& item) {
  RemoveMarks(env_, item);
  MessageFeatures features;
  trainer_.extractFeatures(item, features);
  trainer_.UnlearnSpam(features);
  taught_.Forget(EntryIdOf(item));
}

MarkedMessage SpamFolderManager::MarkClassifiedMessage(MailItem& item, SpamReason reason,
                                                       double score) {
  MarkedMessage outcome = skerrow::MarkClassifiedMessage(env_, item, spamFolder_, reason, score);
  if (!outcome.marked) NoteAlreadyTaught(outcome.movedItem ? *outcome.movedItem : item);
  return outcome;
}

void SpamFolderManager::NoteAlreadyTaught(MailItem& item) {
  taught_.Remember(EntryIdOf(item));
}

void SpamFolderManager::LoadTaughtMessages(std::string_view folder) {
  if (!taughtPath_.empty()) return;  // once per add-in object, like the dictionary
  taughtPath_ = std::string(folder) + '\\' + std::string(TaughtMessages::kFileName);
  taught_.Load(env_.platform.files, taughtPath_);
}

void SpamFolderManager::SaveTaughtMessages() {
  // A record that cannot be written keeps the old file: at worst a message
  // met again after the next start is taught once more.
  if (!taughtPath_.empty()) taught_.Save(env_.platform.files, taughtPath_);
}

}  // namespace skerrow
