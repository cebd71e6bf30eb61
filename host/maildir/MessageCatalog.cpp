#include "host/maildir/MessageCatalog.h"

#include <algorithm>
#include <tuple>

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

std::string MessageCatalog::UnsyncedKey(const std::shared_ptr<FolderNode>& folder) const {
  if (!index_ || folder->isRoot) return {};
  const std::string dir = tree_.Directory(*folder);
  const std::string& store = tree_.StoreDirectory();
  std::string key = dir.size() > store.size() && dir.compare(0, store.size(), store) == 0
                        ? dir.substr(store.size() + 1)
                        : dir;
  if (key.empty()) key = ".";
  return key;
}

std::string MessageCatalog::IndexKey(const std::shared_ptr<FolderNode>& folder) {
  std::string key = UnsyncedKey(folder);
  if (!key.empty()) index_->Sync(key, tree_.Directory(*folder));
  return key;
}

void MessageCatalog::Refresh(const std::shared_ptr<FolderNode>& folder,
                             const MaildirWatcher* watcher) {
  const std::string key = IndexKey(folder);
  if (key.empty()) return;
  const std::string dir = tree_.Directory(*folder);
  if (watcher == nullptr) {
    index_->Sync(key, dir, true);
    return;
  }
  const DirectoryChanges seen[2] = {watcher->ChangesIn(dir + "/new"),
                                    watcher->ChangesIn(dir + "/cur")};
  index_->Sync(key, dir, true, seen);
}

std::vector<std::shared_ptr<MessageRecord>> MessageCatalog::List(
    const std::shared_ptr<FolderNode>& folder) {
  std::vector<std::shared_ptr<MessageRecord>> records;
  if (const std::string key = IndexKey(folder); !key.empty()) {
    for (const IndexedFile& file : index_->Files(key)) records.push_back(RecordFor(folder, file));
    return records;
  }
  const std::string dir = tree_.Directory(*folder);
  if (dir.empty()) return records;
  std::vector<std::pair<std::string, std::string>> files;
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

std::int32_t MessageCatalog::Count(const std::shared_ptr<FolderNode>& folder) {
  if (const std::string key = IndexKey(folder); !key.empty()) return index_->Count(key);
  return tree_.CountItems(*folder);
}

std::int32_t MessageCatalog::LastCount(const std::shared_ptr<FolderNode>& folder) {
  if (const std::string key = UnsyncedKey(folder); !key.empty()) {
    if (const auto count = index_->LastCount(key)) return *count;
  }
  return Count(folder);
}

std::vector<std::shared_ptr<MessageRecord>> MessageCatalog::Matching(
    const std::shared_ptr<FolderNode>& folder, const SubjectFilter& filter) {
  std::vector<std::shared_ptr<MessageRecord>> matches;
  const std::string key = IndexKey(folder);
  if (key.empty()) {
    for (const auto& record : List(folder)) {
      if (record->pendingSubject) {
        if (filter.Matches(*record->pendingSubject)) matches.push_back(record);
        continue;
      }
      auto summary = Summary(*record);
      if (summary.ok() && filter.Matches(summary.value->subject)) matches.push_back(record);
    }
    return matches;
  }
  // The index knows the files' subjects; a subject written but not saved
  // yet is judged here.
  for (const IndexedFile& file : index_->Matching(key, filter)) {
    auto record = RecordFor(folder, file);
    if (!record->pendingSubject) matches.push_back(std::move(record));
  }
  std::erase_if(unsavedSubjects_, [](const auto& entry) {
    const auto record = entry.second.lock();
    return !record || !record->pendingSubject;
  });
  for (const auto& [address, weak] : unsavedSubjects_) {
    auto record = weak.lock();
    if (record->folder == folder && filter.Matches(*record->pendingSubject)) {
      matches.push_back(std::move(record));
    }
  }
  std::sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) {
    return std::tie(a->fileName, a->subdir) < std::tie(b->fileName, b->subdir);
  });
  return matches;
}

void MessageCatalog::WriteSubject(const std::shared_ptr<MessageRecord>& record,
                                  std::u16string subject) {
  record->pendingSubject = std::move(subject);
  unsavedSubjects_[record.get()] = record;
}

std::vector<std::shared_ptr<MessageRecord>> MessageCatalog::WithUniqueName(
    std::string_view uniqueName) {
  std::vector<std::shared_ptr<MessageRecord>> found;
  const std::vector<std::shared_ptr<FolderNode>> folders = tree_.AllFolders();
  if (index_) {
    std::map<std::string, std::shared_ptr<FolderNode>> byKey;
    for (const auto& folder : folders) byKey.emplace(IndexKey(folder), folder);
    std::vector<IndexedLocation> locations = index_->WithUniqueName(uniqueName);
    for (const auto& folder : folders) {
      for (const IndexedLocation& location : locations) {
        const auto node = byKey.find(location.folder);
        if (node != byKey.end() && node->second == folder) {
          found.push_back(RecordFor(folder, location.file));
        }
      }
    }
    return found;
  }
  for (const auto& folder : folders) {
    const std::string dir = tree_.Directory(*folder);
    for (const char* subdir : kSubdirs) {
      for (const std::string& name : MaildirFiles::ListFiles(dir + "/" + subdir)) {
        if (MaildirFileName::UniqueName(name) == uniqueName) {
          found.push_back(RecordFor(folder, subdir, name));
        }
      }
    }
  }
  return found;
}

Result<std::shared_ptr<MessageRecord>> MessageCatalog::Create(
    const std::shared_ptr<FolderNode>& folder, const std::string& uniqueName,
    std::string_view bytes) {
  using RecordResult = Result<std::shared_ptr<MessageRecord>>;
  const bool batch = batch_;
  BeginBatch();
  HResult status = Stage(folder, uniqueName, bytes);
  if (hr::Succeeded(status)) status = SyncStaged();
  RecordResult created =
      hr::Succeeded(status) ? Admit(folder, uniqueName, bytes) : RecordResult{status, nullptr};
  if (!batch) {
    const HResult ended = EndBatch();
    if (created.ok() && hr::Failed(ended)) return RecordResult{ended, created.value};
  }
  return created;
}

HResult MessageCatalog::Stage(const std::shared_ptr<FolderNode>& folder,
                              const std::string& uniqueName, std::string_view bytes) {
  const std::string dir = tree_.Directory(*folder);
  HResult status = hr::kOk;
  if (ensuredDirectories_.count(dir) == 0) {
    status = MaildirFiles::EnsureMaildir(dir);
    if (hr::Failed(status)) return status;
    ensuredDirectories_.insert(dir);
  }
  status = MaildirFiles::StageMessage(dir + "/tmp", uniqueName, bytes, 0600);
  if (hr::Succeeded(status)) staged_.push_back(dir + "/tmp/" + uniqueName);
  return status;
}

HResult MessageCatalog::SyncStaged() {
  return MaildirFiles::SyncFiles(TakeUnsynced());
}

std::vector<std::string> MessageCatalog::TakeUnsynced() {
  std::vector<std::string> unsynced;
  if (durable_) unsynced.swap(staged_);
  staged_.clear();
  return unsynced;
}

Result<std::shared_ptr<MessageRecord>> MessageCatalog::Admit(
    const std::shared_ptr<FolderNode>& folder, const std::string& uniqueName,
    std::string_view bytes) {
  using RecordResult = Result<std::shared_ptr<MessageRecord>>;
  const std::string dir = tree_.Directory(*folder);
  const std::string key = IndexKey(folder);
  const std::string path = dir + "/new/" + uniqueName;
  const HResult status = MaildirFiles::RenameNoReplace(dir + "/tmp/" + uniqueName, path);
  if (hr::Failed(status)) return RecordResult{status, nullptr};
  Sync(dir + "/new");
  auto record = RecordFor(folder, "new", uniqueName);
  // The header is at hand: the summary needs no second reading.
  auto summary = std::make_shared<const MessageSummary>(
      MessageReader::ReadSummary(bytes.substr(0, MaildirFiles::HeadLength(bytes))));
  if (auto stamp = MaildirFiles::Stat(path); stamp.ok()) {
    record->summary = summary;
    record->summaryStamp = stamp.value;
    if (index_) index_->Added(key, {"new", uniqueName}, stamp.value.inode, summary->subject);
  }
  return Ok(record);
}

HResult MessageCatalog::EndBatch() {
  batch_ = false;
  ensuredDirectories_.clear();
  HResult status = SyncStaged();
  for (const std::string& dir : unsyncedDirectories_) {
    if (!MaildirFiles::SyncDirectory(dir) && hr::Succeeded(status)) status = hr::kFail;
  }
  unsyncedDirectories_.clear();
  return status;
}

void MessageCatalog::NoteRename(const std::string& oldKey, const IndexedFile& oldFile,
                                MessageRecord& record) {
  if (!index_ || oldKey.empty()) return;
  index_->Renamed(oldKey, oldFile, IndexKey(record.folder), {record.subdir, record.fileName});
}

std::string MessageCatalog::PathOf(const MessageRecord& record) const {
  return tree_.Directory(*record.folder) + "/" + record.subdir + "/" + record.fileName;
}

MessageCatalog::SteadySpan::SteadySpan(MessageCatalog& catalog)
    : catalog_(catalog), outermost_(catalog.steadySpan_ == 0) {
  if (outermost_) catalog_.steadySpan_ = ++catalog_.spans_;
}

MessageCatalog::SteadySpan::~SteadySpan() {
  if (outermost_) catalog_.steadySpan_ = 0;
}

Result<std::string> MessageCatalog::Locate(MessageRecord& record, FileStamp* stamp) {
  const std::string dir = tree_.Directory(*record.folder);
  if (dir.empty()) return Fail<std::string>(kFileNotFound);
  std::string path = PathOf(record);
  if (auto found = MaildirFiles::Stat(path); found.ok()) {
    if (stamp != nullptr) *stamp = found.value;
    if (steadySpan_ != 0) {
      record.foundIn = steadySpan_;
      record.foundPath = path;
      record.foundStamp = found.value;
    }
    return Ok(std::move(path));
  }
  const std::string unique(record.UniqueName());
  for (const char* subdir : kSubdirs) {
    for (const std::string& name : MaildirFiles::ListFiles(dir + "/" + subdir)) {
      if (MaildirFileName::UniqueName(name) != unique) continue;
      record.subdir = subdir;
      record.fileName = name;
      path = PathOf(record);
      if (stamp != nullptr) {
        auto found = MaildirFiles::Stat(path);
        if (!found.ok()) return Fail<std::string>(found.status);
        *stamp = found.value;
      }
      return Ok(std::move(path));
    }
  }
  return Fail<std::string>(kFileNotFound);
}

Result<std::string> MessageCatalog::LocateForReading(MessageRecord& record, FileStamp& stamp,
                                                     bool& remembered) {
  std::string path = PathOf(record);
  remembered = steadySpan_ != 0 && record.foundIn == steadySpan_ && record.foundPath == path;
  if (remembered) {
    stamp = record.foundStamp;
    return Ok(std::move(path));
  }
  return Locate(record, &stamp);
}

Result<FileStamp> MessageCatalog::Stamp(MessageRecord& record) {
  FileStamp stamp;
  bool remembered = false;
  auto path = LocateForReading(record, stamp, remembered);
  if (!path.ok()) return Fail<FileStamp>(path.status);
  return Ok(stamp);
}

Result<std::shared_ptr<const MessageSummary>> MessageCatalog::Summary(MessageRecord& record) {
  using SummaryResult = Result<std::shared_ptr<const MessageSummary>>;
  FileStamp stamp;
  bool remembered = false;
  auto path = LocateForReading(record, stamp, remembered);
  if (!path.ok()) return SummaryResult{path.status, nullptr};
  if (record.summary && record.summaryStamp == stamp) return Ok(record.summary);
  auto head = MaildirFiles::ReadHead(path.value);
  if (!head.ok() && remembered) {
    // Moved by another program since it was found: found again.
    record.foundIn = 0;
    return Summary(record);
  }
  if (!head.ok()) return SummaryResult{head.status, nullptr};
  record.summary = std::make_shared<const MessageSummary>(MessageReader::ReadSummary(head.value));
  record.summaryStamp = stamp;
  return Ok(record.summary);
}

Result<std::shared_ptr<const MessageBodies>> MessageCatalog::Bodies(MessageRecord& record) {
  using BodiesResult = Result<std::shared_ptr<const MessageBodies>>;
  FileStamp stamp;
  bool remembered = false;
  auto path = LocateForReading(record, stamp, remembered);
  if (!path.ok()) return BodiesResult{path.status, nullptr};
  if (record.bodies && record.bodiesStamp == stamp) return Ok(record.bodies);
  auto raw = MaildirFiles::ReadAll(path.value);
  if (!raw.ok() && remembered) {
    record.foundIn = 0;
    return Bodies(record);
  }
  if (!raw.ok()) return BodiesResult{raw.status, nullptr};
  constexpr std::size_t kLargestKeptTexts = std::size_t{1} << 20;
  record.bodies = std::make_shared<const MessageBodies>(raw.value.size() > kLargestKeptTexts
                                                            ? MessageReader::LocateBodies(raw.value)
                                                            : MessageReader::ReadBodies(raw.value));
  record.bodiesStamp = stamp;
  return Ok(record.bodies);
}

Result<std::u16string> MessageCatalog::Text(MessageRecord& record, bool html) {
  auto bodies = Bodies(record);
  if (!bodies.ok()) return Fail<std::u16string>(bodies.status);
  const MessageBodies& read = *bodies.value;
  if (!read.textsLocated) return Ok(html ? read.htmlBody : read.body);
  const std::optional<MimePart>& part = html ? read.htmlPart : read.plainPart;
  if (!part) return Ok(std::u16string());
  FileStamp stamp;
  bool remembered = false;
  auto path = LocateForReading(record, stamp, remembered);
  if (!path.ok()) return Fail<std::u16string>(path.status);
  HResult status = hr::kOk;
  std::optional<std::u16string> text = MessageReader::ReadText(*part, [&](const auto& take) {
    status = MaildirFiles::ReadPieces(path.value, part->contentStart,
                                      part->contentEnd - part->contentStart, take);
    return hr::Succeeded(status);
  });
  if (!text && remembered) {
    // Moved by another program since it was found: found again.
    record.foundIn = 0;
    return Text(record, html);
  }
  if (!text) return Fail<std::u16string>(status);
  return Ok(std::move(*text));
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
  const std::string key = IndexKey(record.folder);
  const HResult status = MaildirFiles::ReplaceMessage(tree_.Directory(*record.folder) + "/tmp",
                                                      rewritten.value, path.value, durable_);
  if (hr::Failed(status)) return status;
  Sync(tree_.Directory(*record.folder) + "/" + record.subdir);
  if (auto stamp = MaildirFiles::Stat(path.value); stamp.ok() && index_ && !key.empty()) {
    index_->Rewritten(key, {record.subdir, record.fileName}, stamp.value.inode,
                      MessageReader::ReadSubject(rewritten.value));
  }
  record.pendingSubject.reset();
  record.pendingHtmlBody.reset();
  record.summary.reset();
  record.bodies.reset();
  record.foundIn = 0;  // a new file under the same name
  return hr::kOk;
}

HResult MessageCatalog::SetSeen(MessageRecord& record, bool seen) {
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  if (record.subdir == "new" && !seen) return hr::kOk;  // unseen already
  const std::string name = MaildirFileName::WithFlag(record.fileName, 'S', seen);
  if (record.subdir == "cur" && name == record.fileName) return hr::kOk;
  const std::string curDir = tree_.Directory(*record.folder) + "/cur";
  const std::string key = IndexKey(record.folder);
  const IndexedFile old{record.subdir, record.fileName};
  const HResult status = MaildirFiles::RenameNoReplace(path.value, curDir + "/" + name);
  if (hr::Failed(status)) return status;
  Sync(curDir);
  record.subdir = "cur";
  record.fileName = name;
  NoteRename(key, old, record);
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
  const std::string key = IndexKey(record.folder);
  const IndexedFile old{record.subdir, record.fileName};
  const std::string name = MaildirFileName::ForAnotherFolder(record.fileName);
  const std::string_view newUnique = MaildirFileName::UniqueName(name);
  if (const std::string destinationKey = IndexKey(destination); !destinationKey.empty()) {
    for (const IndexedLocation& location : index_->WithUniqueName(newUnique)) {
      if (location.folder == destinationKey) return kAlreadyExists;
    }
  } else {
    for (const char* subdir : kSubdirs) {
      for (const std::string& listed : MaildirFiles::ListFiles(destinationDir + "/" + subdir)) {
        if (MaildirFileName::UniqueName(listed) == newUnique) return kAlreadyExists;
      }
    }
  }
  status = MaildirFiles::RenameNoReplace(path.value, destinationDir + "/cur/" + name);
  if (hr::Failed(status)) return status;
  Sync(destinationDir + "/cur");
  Sync(tree_.Directory(*record.folder) + "/" + record.subdir);
  const FolderNode* oldFolder = record.folder.get();
  record.folder = destination;
  record.subdir = "cur";
  record.fileName = name;
  Rekey(record, oldFolder, unique);
  NoteRename(key, old, record);
  return hr::kOk;
}

HResult MessageCatalog::TakeIntoCur(MessageRecord& record) {
  auto path = Locate(record);
  if (!path.ok()) return path.status;
  if (record.subdir != "new") return hr::kOk;
  const std::string curDir = tree_.Directory(*record.folder) + "/cur";
  const std::string name = MaildirFileName::ForCur(record.fileName);
  const std::string key = IndexKey(record.folder);
  const IndexedFile old{record.subdir, record.fileName};
  const HResult status = MaildirFiles::RenameNoReplace(path.value, curDir + "/" + name);
  if (hr::Failed(status)) return status;
  Sync(curDir);
  record.subdir = "cur";
  record.fileName = name;
  NoteRename(key, old, record);
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
