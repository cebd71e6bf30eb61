#include "host/maildir/StoreContext.h"

#include <stdlib.h>

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
      commandBars_(std::make_shared<StandInCommandBars>(queue_, clipboard)) {}

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
  using RecordResult = Result<std::shared_ptr<MessageRecord>>;
  const std::shared_ptr<FolderNode> inbox = tree_.Inbox();
  const std::string dir = tree_.Directory(*inbox);
  HResult status = MaildirFiles::EnsureMaildir(dir);
  if (hr::Failed(status)) return RecordResult{status, nullptr};
  std::string name;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = MaildirFileName::NewUniqueName(++deliveries_);
    status = MaildirFiles::CreateMessage(dir + "/tmp", name, bytes, dir + "/new/" + name, 0600,
                                         catalog_.Durable());
    if (status != kAlreadyExists) break;
  }
  if (hr::Failed(status)) return RecordResult{status, nullptr};
  auto record = catalog_.RecordFor(inbox, "new", name);
  // Left in new/ if this fails: the next watch takes it as new mail.
  catalog_.TakeIntoCur(*record);
  RefreshCount(inbox);
  EventQueue::Batch batch(*queue_);
  RaiseFolderChange(inbox);
  RaiseItemAdd(inbox, record);
  return Ok(record);
}

int StoreContext::Poll() {
  int raised = 0;
  EventQueue::Batch batch(*queue_);
  const std::vector<std::shared_ptr<FolderNode>> topLevel = tree_.Children(tree_.Root());
  for (const auto& node : topLevel) {
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

  struct Candidate {
    std::shared_ptr<FolderNode> folder;
    const char* subdir;
    std::string name;
  };
  std::optional<Candidate> first;
  for (const auto& folder : tree_.AllFolders()) {
    const std::string dir = tree_.Directory(*folder);
    for (const char* subdir : {"new", "cur"}) {
      for (const std::string& name : MaildirFiles::ListFiles(dir + "/" + subdir)) {
        if (MaildirFileName::UniqueName(name) != unique) continue;
        if (!folderHint.empty() && RealPath(dir) == folderHint) {
          return Ok(catalog_.RecordFor(folder, subdir, name));
        }
        if (!first) first = Candidate{folder, subdir, name};
      }
    }
  }
  if (!first) return RecordResult{kFileNotFound, nullptr};
  return Ok(catalog_.RecordFor(first->folder, first->subdir, first->name));
}

void StoreContext::RememberTopLevelCounts() {
  for (const auto& node : tree_.Children(tree_.Root())) node->knownCount = tree_.CountItems(*node);
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
  const std::int32_t count = tree_.CountItems(*node);
  const bool changed = !node->knownCount || *node->knownCount != count;
  node->knownCount = count;
  return changed;
}

}  // namespace skerrow::maildir
