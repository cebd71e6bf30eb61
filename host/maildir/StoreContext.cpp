#include "host/maildir/StoreContext.h"

#include <stdlib.h>

#include <system_error>

#include "host/maildir/MaildirApplication.h"
#include "host/maildir/MaildirExplorer.h"
#include "host/maildir/MaildirFolder.h"
#include "host/maildir/MaildirMailItem.h"
#include "host/maildir/MaildirNameSpace.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

namespace {

std::string RealPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string out(resolved);
  free(resolved);
  return out;
}

}  // namespace

StoreContext::StoreContext(std::string storeDir, std::unique_ptr<StoreLayout> layout,
                           std::string contactsDir, Clipboard* clipboard, bool durable)
    : queue_(std::make_shared<EventQueue>()),
      tree_(std::move(storeDir), std::move(layout), queue_),
      catalog_(tree_, durable),
      contactsDir_(std::move(contactsDir)),
      applicationEvents_(EventInterface::ApplicationEvents, queue_),
      commandBars_(std::make_shared<StandInCommandBars>(queue_, clipboard)) {
  // Thousands of contacts cost thousands of lookups: they run beside the
  // opening of the index and what the command does next.
  if (!contactsDir_.empty()) contacts_ = std::make_unique<PrefetchedListing>(contactsDir_);
  catalog_.UseIndex(StoreIndex::Open(tree_.StoreDirectory(), tree_.Directory(*tree_.Inbox())));
}

std::vector<StampedFile> StoreContext::ListContacts() {
  if (!contacts_) return MaildirFiles::ListFilesWithStamps(contactsDir_);
  return contacts_->Take();
}

FolderPtr StoreContext::FolderHandle(const std::shared_ptr<FolderNode>& node) {
  return std::make_shared<MaildirFolder>(shared_from_this(), node);
}

MailItemPtr StoreContext::ItemHandle(const std::shared_ptr<MessageRecord>& record) {
  return std::make_shared<MaildirMailItem>(shared_from_this(), record);
}

NameSpacePtr StoreContext::NameSpaceHandle() {
  return std::make_shared<MaildirNameSpace>(shared_from_this());
}

ExplorerPtr StoreContext::ExplorerHandle() {
  return std::make_shared<MaildirExplorer>(shared_from_this());
}

ApplicationPtr StoreContext::ApplicationHandle() {
  return std::make_shared<MaildirApplication>(shared_from_this());
}

void StoreContext::NoteWriteFailure(const std::string& what, HResult status) {
  writeFailures_.push_back(what + ": " + DescribeStatus(status));
}

std::vector<std::string> StoreContext::TakeWriteFailures() {
  std::vector<std::string> taken;
  taken.swap(writeFailures_);
  return taken;
}

std::shared_ptr<FolderNode> StoreContext::CurrentFolder() {
  return currentFolder_ ? currentFolder_ : tree_.Inbox();
}

Result<std::u16string> StoreContext::SubjectOf(MessageRecord& record) {
  if (record.pendingSubject) return Ok(*record.pendingSubject);
  auto summary = catalog_.Summary(record);
  if (!summary.ok()) return Fail<std::u16string>(summary.status);
  return Ok(summary.value->subject);
}

Result<MailItemPtr> StoreContext::Move(const std::shared_ptr<MessageRecord>& record,
                                       const std::shared_ptr<FolderNode>& destination) {
  if (record->folder == destination) {
    auto path = catalog_.Locate(*record);
    if (!path.ok()) return Fail<MailItemPtr>(path.status);
    return Ok(ItemHandle(record));
  }
  const std::shared_ptr<FolderNode> source = record->folder;
  const HResult status = catalog_.Relocate(*record, destination);
  if (hr::Failed(status)) {
    NoteWriteFailure("cannot move the message " + std::string(record->UniqueName()) + " to " +
                         tree_.Directory(*destination),
                     status);
    return Fail<MailItemPtr>(status);
  }
  RefreshCount(source);
  RefreshCount(destination);
  EventQueue::Batch batch(*queue_);  // no handler runs before the last event is queued
  RaiseFolderChange(source);
  RaiseFolderChange(destination);
  RaiseItemAdd(destination, record);
  return Ok(ItemHandle(record));
}

Result<std::shared_ptr<MessageRecord>> StoreContext::Deliver(std::string_view bytes) {
  const std::shared_ptr<FolderNode> inbox = tree_.Inbox();
  Result<std::shared_ptr<MessageRecord>> created{kAlreadyExists, nullptr};
  for (int attempt = 0; attempt < 100 && created.status == kAlreadyExists; ++attempt) {
    created = catalog_.Create(inbox, MaildirFileName::NewUniqueName(++deliveries_), bytes);
  }
  if (created.ok()) RaiseDelivered(created.value);
  return created;
}

std::vector<Result<std::string>> StoreContext::StageDeliveries(
    const std::vector<std::string_view>& messages) {
  const std::shared_ptr<FolderNode> inbox = tree_.Inbox();
  catalog_.BeginBatch();
  std::vector<Result<std::string>> staged;
  for (std::string_view bytes : messages) {
    Result<std::string> name{kAlreadyExists, {}};
    for (int attempt = 0; attempt < 100 && name.status == kAlreadyExists; ++attempt) {
      name.value = MaildirFileName::NewUniqueName(++deliveries_);
      name.status = catalog_.Stage(inbox, name.value, bytes);
    }
    staged.push_back(std::move(name));
  }
  // Nothing is delivered unless all of it is durable. The disk is waited for
  // on another thread, while the command goes on with what needs no
  // delivery (the add-in connecting, its dictionary loading).
  std::vector<std::string> unsynced = catalog_.TakeUnsynced();
  stagedStatus_ = hr::kOk;
  if (!unsynced.empty()) {
    try {
      stagedSync_ = std::async(std::launch::async,
                               [files = unsynced] { return MaildirFiles::SyncFiles(files); });
    } catch (const std::system_error&) {
      stagedStatus_ = MaildirFiles::SyncFiles(unsynced);
    }
  }
  return staged;
}

HResult StoreContext::StagedSync() {
  if (stagedSync_.valid()) stagedStatus_ = stagedSync_.get();
  return stagedStatus_;
}

Result<std::shared_ptr<MessageRecord>> StoreContext::DeliverStaged(const std::string& uniqueName,
                                                                   std::string_view bytes) {
  if (const HResult synced = StagedSync(); hr::Failed(synced)) {
    return Result<std::shared_ptr<MessageRecord>>{synced, nullptr};
  }
  auto admitted = catalog_.Admit(tree_.Inbox(), uniqueName, bytes);
  if (admitted.ok()) RaiseDelivered(admitted.value);
  return admitted;
}

HResult StoreContext::EndDeliveries() {
  StagedSync();  // a failure there failed every delivery of the batch already
  const HResult status = catalog_.EndBatch();
  catalog_.CommitIndex();
  return status;
}

void StoreContext::RaiseDelivered(const std::shared_ptr<MessageRecord>& record) {
  MessageCatalog::SteadySpan steady(catalog_);  // outlives the batch: its handlers run in it
  const std::shared_ptr<FolderNode> inbox = tree_.Inbox();
  // Left in new/ if this fails: the next watch takes it as new mail.
  catalog_.TakeIntoCur(*record);
  RefreshCount(inbox);
  EventQueue::Batch batch(*queue_);
  RaiseFolderChange(inbox);
  RaiseItemAdd(inbox, record);
}

int StoreContext::Poll(MaildirWatcher* watcher) {
  int raised = 0;
  MessageCatalog::SteadySpan steady(catalog_);  // outlives the batch: its handlers run in it
  EventQueue::Batch batch(*queue_);
  const std::vector<std::shared_ptr<FolderNode>> topLevel = tree_.Children(tree_.Root());
  for (const auto& node : topLevel) {
    catalog_.Refresh(node, watcher);
    const std::optional<std::int32_t> before = node->knownCount;
    const bool changed = RefreshCount(node);
    if (before && changed) {
      RaiseFolderChange(node);
      ++raised;
    }
  }
  const std::shared_ptr<FolderNode> inbox = tree_.Inbox();
  const std::string newDir = tree_.Directory(*inbox) + "/new";
  for (const std::string& name : MaildirFiles::ListFiles(newDir)) {
    auto record = catalog_.RecordFor(inbox, "new", name);
    if (hr::Failed(catalog_.TakeIntoCur(*record))) continue;  // tried again next time
    RaiseItemAdd(inbox, record);
    ++raised;
  }
  if (watcher != nullptr) watcher->Forget();
  catalog_.CommitIndex();
  return raised;
}

Result<std::shared_ptr<MessageRecord>> StoreContext::Find(std::string_view pathOrUniqueName) {
  using RecordResult = Result<std::shared_ptr<MessageRecord>>;
  std::string fileName(pathOrUniqueName);
  std::string folderHint;
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string::npos) {
    const std::string subdirPath = fileName.substr(0, slash);
    fileName.erase(0, slash + 1);
    const std::size_t parentSlash = subdirPath.rfind('/');
    folderHint = RealPath(parentSlash == std::string::npos ? std::string(".")
                                                           : subdirPath.substr(0, parentSlash));
  }
  const std::string unique(MaildirFileName::UniqueName(fileName));
  if (unique.empty()) return RecordResult{hr::kInvalidArg, nullptr};
  const auto found = catalog_.WithUniqueName(unique);
  if (found.empty()) return RecordResult{kFileNotFound, nullptr};
  for (const auto& record : found) {
    if (!folderHint.empty() && RealPath(tree_.Directory(*record->folder)) == folderHint) {
      return Ok(record);
    }
  }
  return Ok(found.front());
}

void StoreContext::RememberTopLevelCounts() {
  // As the last command left them: a store opened lists no folder it does
  // not use (a delivery does not pay for a large archive), and the watcher's
  // first poll reports what others changed since.
  for (const auto& node : tree_.Children(tree_.Root())) {
    node->knownCount = catalog_.LastCount(node);
  }
}

void StoreContext::RaiseFolderChange(const std::shared_ptr<FolderNode>& node) {
  auto parent = node->parent.lock();
  if (!parent) return;
  parent->folderEvents.Raise(dispid::kFolderChange, {FolderHandle(node)});
}

void StoreContext::RaiseItemAdd(const std::shared_ptr<FolderNode>& node,
                                const std::shared_ptr<MessageRecord>& record) {
  node->itemEvents.Raise(dispid::kItemAdd, {ItemHandle(record)});
}

bool StoreContext::RefreshCount(const std::shared_ptr<FolderNode>& node) {
  const std::int32_t count = catalog_.Count(node);
  const bool changed = !node->knownCount || *node->knownCount != count;
  node->knownCount = count;
  return changed;
}

}  // namespace skerrow::maildir
