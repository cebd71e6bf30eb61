#include "host/maildir/MaildirStore.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "host/maildir/CharsetCodec.h"
#include "host/maildir/MaildirFileName.h"
#include "host/maildir/MaildirFolder.h"
#include "host/maildir/MaildirMailItem.h"
#include "host/maildir/MaildirStatus.h"
#include "host/maildir/MaildirWatcher.h"
#include "host/maildir/StaleTemporaryFiles.h"
#include "host/maildir/StoreContext.h"
#include "host/maildir/StoreLock.h"

namespace skerrow::maildir {

namespace {

MaildirStore::Opening Failure(HResult status, std::string error) {
  MaildirStore::Opening opening;
  opening.status = status;
  opening.error = std::move(error);
  return opening;
}

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i];
    char16_t y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x - u'A' + u'a');
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y - u'A' + u'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

MaildirStore::Opening MaildirStore::Open(const std::string& storeDir,
                                         const MaildirStoreOptions& options) {
  struct stat info {};
  if (storeDir.empty() || stat(storeDir.c_str(), &info) != 0) {
    const HResult status = storeDir.empty() ? kPathNotFound : StatusFromErrno(errno);
    return Failure(status, "cannot open the store " + storeDir + ": " + DescribeStatus(status));
  }
  if (!S_ISDIR(info.st_mode)) {
    return Failure(kPathNotFound, "cannot open the store " + storeDir + ": not a directory");
  }
  char* resolved = realpath(storeDir.c_str(), nullptr);
  std::string dir = resolved != nullptr ? resolved : storeDir;
  free(resolved);

  auto lock = StoreLock::Acquire(dir);
  if (!lock.ok()) {
    if (lock.status == kSharingViolation) {
      return Failure(lock.status, "the store " + dir +
                                      " is in use by another instance (locked through " + dir +
                                      "/" + StoreLock::kFileName + ")");
    }
    return Failure(lock.status,
                   "cannot lock the store " + dir + ": " + DescribeStatus(lock.status));
  }
  auto layout = StoreLayout::Detect(dir);
  const HResult inbox = layout->EnsureInbox();
  if (hr::Failed(inbox)) {
    return Failure(inbox,
                   "cannot create the Inbox of the store " + dir + ": " + DescribeStatus(inbox));
  }
  auto context = std::make_shared<StoreContext>(dir, std::move(layout), options.contactsDir,
                                                options.clipboard, options.durable);
  context->RememberTopLevelCounts();
  for (const auto& folder : context->Tree().AllFolders()) {
    RemoveStaleTemporaryFiles(context->Tree().Directory(*folder) + "/tmp", std::time(nullptr));
  }
  Opening opening;
  opening.store.reset(new MaildirStore(dir, std::move(lock.value), std::move(context)));
  return opening;
}

MaildirStore::MaildirStore(std::string dir, std::unique_ptr<StoreLock> lock,
                           std::shared_ptr<StoreContext> context)
    : dir_(std::move(dir)), lock_(std::move(lock)), context_(std::move(context)) {}

MaildirStore::~MaildirStore() {
  // The selection holds item handles, which hold the context: let go of
  // them so that the context can go once the last outside handle does.
  context_->SetSelection({});
  // The index is the store's as long as the lock is: handles that outlive
  // the store read the folders themselves.
  context_->Catalog().CloseIndex();
  // Nor does a thread of the store's outlive it.
  context_->StopContactsListing();
}

ApplicationPtr MaildirStore::GetApplication() {
  return context_->ApplicationHandle();
}

FolderPtr MaildirStore::Inbox() {
  return context_->FolderHandle(context_->Tree().Inbox());
}

FolderPtr MaildirStore::RootFolder() {
  return context_->FolderHandle(context_->Tree().Root());
}

Result<FolderPtr> MaildirStore::FindFolder(std::u16string_view path) {
  std::shared_ptr<FolderNode> node = context_->Tree().Root();
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find(u'/', start);
    const std::u16string_view name = path.substr(
        start, slash == std::u16string_view::npos ? std::u16string_view::npos : slash - start);
    std::shared_ptr<FolderNode> exact;
    std::shared_ptr<FolderNode> loose;
    for (const auto& child : context_->Tree().Children(node)) {
      const std::u16string childName = CharsetCodec::Decode(child->name, "").text;
      if (childName == name && !exact) exact = child;
      if (EqualIgnoringAsciiCase(childName, name) && !loose) loose = child;
    }
    node = exact ? exact : loose;
    if (!node) return Fail<FolderPtr>(kNotFound);
    if (slash == std::u16string_view::npos) break;
    start = slash + 1;
  }
  return Ok(context_->FolderHandle(node));
}

Result<MailItemPtr> MaildirStore::Deliver(std::string_view bytes) {
  auto record = context_->Deliver(bytes);
  if (!record.ok()) return Fail<MailItemPtr>(record.status);
  return Ok(context_->ItemHandle(record.value));
}

std::vector<Result<std::string>> MaildirStore::Stage(
    const std::vector<std::string_view>& messages) {
  return context_->StageDeliveries(messages);
}

Result<MailItemPtr> MaildirStore::DeliverStaged(const std::string& staged, std::string_view head) {
  auto record = context_->DeliverStaged(staged, head);
  if (!record.ok()) return Fail<MailItemPtr>(record.status);
  return Ok(context_->ItemHandle(record.value));
}

HResult MaildirStore::EndDeliveries() {
  return context_->EndDeliveries();
}

Result<MailItemPtr> MaildirStore::FindItem(std::string_view pathOrUniqueName) {
  auto record = context_->Find(pathOrUniqueName);
  if (!record.ok()) return Fail<MailItemPtr>(record.status);
  return Ok(context_->ItemHandle(record.value));
}

Result<ItemLocation> MaildirStore::Locate(const DispatchPtr& item) {
  auto* mailItem = dynamic_cast<MaildirMailItem*>(item.get());
  if (mailItem == nullptr || mailItem->Context() != context_.get()) {
    return Fail<ItemLocation>(hr::kInvalidArg);
  }
  MessageRecord& record = *mailItem->Record();
  auto path = context_->Catalog().Locate(record);
  if (!path.ok()) return Fail<ItemLocation>(path.status);
  ItemLocation location;
  location.path = path.value;
  location.uniqueName = std::string(record.UniqueName());
  location.unread = !MaildirFileName::HasFlag(record.fileName, 'S');
  std::shared_ptr<FolderNode> folder = record.folder;
  while (folder && !context_->Tree().IsTopLevel(*folder)) folder = folder->parent.lock();
  if (folder) location.topLevelFolder = CharsetCodec::Decode(folder->name, "").text;
  return Ok(std::move(location));
}

Result<std::u16string> MaildirStore::StoredSubject(const DispatchPtr& item) {
  auto* mailItem = dynamic_cast<MaildirMailItem*>(item.get());
  if (mailItem == nullptr || mailItem->Context() != context_.get()) {
    return Fail<std::u16string>(hr::kInvalidArg);
  }
  auto summary = context_->Catalog().Summary(*mailItem->Record());
  if (!summary.ok()) return Fail<std::u16string>(summary.status);
  return Ok(summary.value->subject);
}

std::vector<std::string> MaildirStore::TakeWriteFailures() {
  return context_->TakeWriteFailures();
}

HResult MaildirStore::SetCurrentFolder(const FolderPtr& folder) {
  auto* maildirFolder = dynamic_cast<MaildirFolder*>(folder.get());
  if (maildirFolder == nullptr || maildirFolder->Context() != context_.get()) {
    return hr::kInvalidArg;
  }
  context_->SetCurrentFolder(maildirFolder->Node());
  return hr::kOk;
}

void MaildirStore::SetSelection(std::vector<DispatchPtr> items) {
  context_->SetSelection(std::move(items));
}

int MaildirStore::Poll() {
  return context_->Poll(watcher_.get());
}

bool MaildirStore::WaitForChanges(int timeoutMs) {
  if (!watcher_) watcher_ = MaildirWatcher::Create();
  std::vector<std::string> dirs{dir_};
  FolderTree& tree = context_->Tree();
  for (const auto& folder : tree.Children(tree.Root())) {
    const std::string folderDir = tree.Directory(*folder);
    dirs.push_back(folderDir);
    dirs.push_back(folderDir + "/cur");
    dirs.push_back(folderDir + "/new");
  }
  watcher_->Watch(dirs);
  return watcher_->Wait(timeoutMs);
}

HResult MaildirStore::ClickButton(std::u16string_view captionOrTag) {
  auto button = context_->CommandBars()->FindButton(captionOrTag);
  if (!button) return kNotFound;
  button->Click();
  return hr::kOk;
}

std::vector<RecordedButton> MaildirStore::Buttons() const {
  return context_->CommandBars()->Buttons();
}

std::vector<RecordedPropertyPage> MaildirStore::ShowOptionsPages() {
  auto pages = std::make_shared<StandInPropertyPages>();
  context_->ApplicationEvents().Raise(dispid::kOptionsPagesAdd, {pages});
  return pages->Pages();
}

}  // namespace skerrow::maildir
