#include "host/maildir/MessageCatalog.h"

#include <algorithm>

#include "host/maildir/MaildirStatus.h"
#include "host/maildir/MessageRewriter.h"

namespace skerrow::maildir {

namespace {

const char* const kSubdirs[] = {"new", "cur"};

}  // namespace

std::shared_ptr<MessageRecord> MessageCatalog::RecordFor(const std::shared_ptr<FolderNode>& folder,
                                                         const std::string& subdir,
                                                         const std::string& fileName) {
  Key key(folder.get(), std::string(MaildirFileName::UniqueName(fileName)));
  auto found = records_.find(key);
  if (found != records_.end()) {
    if (auto record = found->second.lock()) {
      record->subdir = subdir;
      record->fileName = fileName;
      return record;
    }
  }
  auto record = std::make_shared<MessageRecord>();
  record->folder = folder;
  record->subdir = subdir;
  record->fileName = fileName;
  records_[std::move(key)] = record;
  Forget();
  return record;
}

std::vector<std::shared_ptr<MessageRecord>> MessageCatalog::List(
    const std::shared_ptr<FolderNode>& folder) {
  std::vector<std::shared_ptr<MessageRecord>> records;
  const std::string dir = tree_.Directory(*folder);
  if (dir.empty()) return records;
  std::vector<std::pair<std::string, const char*>> files;
  for (const char* subdir : kSubdirs) {
    for (std::string& name : MaildirFiles::ListFiles(dir + "/" + subdir)) {
      files.emplace_back(std::move(name), subdir);
    }
  }
  std::sort(files.begin(), files.end());
  records.reserve(files.size());
  for (const auto& [name, subdir] : files) records.push_back(RecordFor(folder, subdir, name));
  return records;
}

std::string MessageCatalog::PathOf(const MessageRecord& record) const {
  return tree_.Directory(*record.folder) + "/" + record.subdir + "/" + record.fileName;
}

Result<std::string> MessageCatalog::Locate(MessageRecord& record) {
  const std::string dir = tree_.Directory(*record.folder);
  if (dir.empty()) return Fail<std::string>(kFileNotFound);
  std::string path = PathOf(record);
  if (MaildirFiles::Stat(path).ok()) return Ok(std::move(path));
  const std::string unique(record.UniqueName());
  for (const char* subdir : kSubdirs) {
    for (const std::string& name : MaildirFiles::ListFiles(dir + "/" + subdir)) {
      if (MaildirFileName::UniqueName(name) != unique) continue;
      record.subdir = subdir;
      record.fileName = name;
      return Ok(PathOf(record));
    }
  }
  return Fail<std::string>(kFileNotFound);
}

Result<FileStamp> MessageCatalog::Stamp(MessageRecord& record) {
  auto path = Locate(record);
  if (!path.ok()) return Fail<FileStamp>(path.status);
  return MaildirFiles::Stat(path.value);
}

Result<std::shared_ptr<const MessageSummary>> MessageCatalog::Summary(MessageRecord& record) {
  using SummaryResult = Result<std::shared_ptr<const MessageSummary>>;
  auto path = Locate(record);
  if (!path.ok()) return SummaryResult{path.status, nullptr};
  auto stamp = MaildirFiles::Stat(path.value);
  if (!stamp.ok()) return SummaryResult{stamp.status, nullptr};
  if (record.summary && record.summaryStamp == stamp.value) return Ok(record.summary);
  auto head = MaildirFiles::ReadHead(path.value);
  if (!head.ok()) return SummaryResult{head.status, nullptr};
  record.summary = std::make_shared<const MessageSummary>(MessageReader::ReadSummary(head.value));
  record.summaryStamp = stamp.value;
  return Ok(record.summary);
}

Result<std::shared_ptr<const MessageBodies>> MessageCatalog::Bodies(MessageRecord& record) {
  using BodiesResult = Result<std::shared_ptr<const MessageBodies>>;
  auto path = Locate(record);
  if (!path.ok()) return BodiesResult{path.status, nullptr};
  auto stamp = MaildirFiles::Stat(path.value);
  if (!stamp.ok()) return BodiesResult{stamp.status, nullptr};
  if (record.bodies && record.bodiesStamp == stamp.value) return Ok(record.bodies);
  auto raw = MaildirFiles::ReadAll(path.value);
  if (!raw.ok()) return BodiesResult{raw.status, nullptr};
  record.bodies = std::make_shared<const MessageBodies>(MessageReader::ReadBodies(raw.value));
  record.bodiesStamp = stamp.value;
  return Ok(record.bodies);
}

HResult MessageCatalog::Save(MessageRecord& record) {
  MessageEdits edits{record.pendingSubject, record.pendingHtmlBody};
  if (edits.Empty()) return hr::kOk;
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  auto raw = MaildirFiles::ReadAll(path.value);
  if (!raw.ok()) return raw.status;
  auto rewritten = MessageRewriter::Apply(raw.value, edits);
  if (!rewritten.ok()) return rewritten.status;
  const HResult status = MaildirFiles::ReplaceMessage(tree_.Directory(*record.folder) + "/tmp",
                                                      rewritten.value, path.value, durable_);
  if (hr::Failed(status)) return status;
  record.pendingSubject.reset();
  record.pendingHtmlBody.reset();
  record.summary.reset();
  record.bodies.reset();
  return hr::kOk;
}

HResult MessageCatalog::SetSeen(MessageRecord& record, bool seen) {
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  if (record.subdir == "new" && !seen) return hr::kOk;  // unseen already
  const std::string name = MaildirFileName::WithFlag(record.fileName, 'S', seen);
  if (record.subdir == "cur" && name == record.fileName) return hr::kOk;
  const std::string curDir = tree_.Directory(*record.folder) + "/cur";
  const HResult status = MaildirFiles::RenameNoReplace(path.value, curDir + "/" + name);
  if (hr::Failed(status)) return status;
  Sync(curDir);
  record.subdir = "cur";
  record.fileName = name;
  return hr::kOk;
}

HResult MessageCatalog::Relocate(MessageRecord& record,
                                 const std::shared_ptr<FolderNode>& destination) {
  if (destination->isRoot) return hr::kInvalidArg;
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  const std::string destinationDir = tree_.Directory(*destination);
  HResult status = MaildirFiles::EnsureMaildir(destinationDir);
  if (hr::Failed(status)) return status;
  const std::string unique(record.UniqueName());
  for (const char* subdir : kSubdirs) {
    for (const std::string& name : MaildirFiles::ListFiles(destinationDir + "/" + subdir)) {
      if (MaildirFileName::UniqueName(name) == unique) return kAlreadyExists;
    }
  }
  const std::string name = MaildirFileName::ForCur(record.fileName);
  status = MaildirFiles::RenameNoReplace(path.value, destinationDir + "/cur/" + name);
  if (hr::Failed(status)) return status;
  Sync(destinationDir + "/cur");
  Sync(tree_.Directory(*record.folder) + "/" + record.subdir);
  const FolderNode* oldFolder = record.folder.get();
  record.folder = destination;
  record.subdir = "cur";
  record.fileName = name;
  Rekey(record, oldFolder, unique);
  return hr::kOk;
}

HResult MessageCatalog::TakeIntoCur(MessageRecord& record) {
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  if (record.subdir != "new") return hr::kOk;
  const std::string curDir = tree_.Directory(*record.folder) + "/cur";
  const std::string name = MaildirFileName::ForCur(record.fileName);
  const HResult status = MaildirFiles::RenameNoReplace(path.value, curDir + "/" + name);
  if (hr::Failed(status)) return status;
  Sync(curDir);
  record.subdir = "cur";
  record.fileName = name;
  return hr::kOk;
}

void MessageCatalog::Rekey(MessageRecord& record, const FolderNode* oldFolder,
                           const std::string& oldUnique) {
  auto found = records_.find(Key(oldFolder, oldUnique));
  if (found == records_.end()) return;
  std::weak_ptr<MessageRecord> weak = found->second;
  records_.erase(found);
  records_[Key(record.folder.get(), std::string(record.UniqueName()))] = std::move(weak);
}

void MessageCatalog::Forget() {
  if (records_.size() < sweepAt_) return;
  std::erase_if(records_, [](const auto& entry) { return entry.second.expired(); });
  sweepAt_ = records_.size() * 2 + 1024;
}

}  // namespace skerrow::maildir
