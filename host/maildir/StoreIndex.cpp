#include "host/maildir/StoreIndex.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <system_error>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "host/maildir/MaildirFileName.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MessageReader.h"
#include "host/maildir/Utf16Bytes.h"

namespace skerrow::maildir {

namespace {

const char* const kSubdirs[] = {"new", "cur"};

constexpr const char* kSchema =
    "CREATE TABLE folders(key TEXT PRIMARY KEY, newdigest INTEGER NOT NULL,"
    "  newcount INTEGER NOT NULL, curdigest INTEGER NOT NULL, curcount INTEGER NOT NULL)"
    "  WITHOUT ROWID;"
    "CREATE TABLE messages(folder TEXT NOT NULL, subdir TEXT NOT NULL, name TEXT NOT NULL,"
    "  uniq TEXT NOT NULL, inode INTEGER NOT NULL, subject BLOB NOT NULL,"
    "  sortkey BLOB NOT NULL, PRIMARY KEY(folder, name, subdir)) WITHOUT ROWID;"
    "CREATE INDEX messages_by_subject ON messages(folder, sortkey);"
    "CREATE INDEX messages_by_unique ON messages(uniq);"
    "CREATE INDEX messages_by_subdir ON messages(folder, subdir, inode);"
    "CREATE TABLE address_books(dir TEXT PRIMARY KEY, files BLOB NOT NULL);";

// The place of new/ and cur/ in a folder's sums.
int SubdirSlot(std::string_view subdir) {
  return subdir == "cur" ? 1 : 0;
}

// What a listing contributes to a folder's digest for one file: the digest
// is the sum over the files, so that the store's own changes update it
// without listing again. The bytes are mixed in eight at a time: every
// command digests every name of the Inbox.
std::uint64_t FileDigest(std::string_view subdir, std::string_view name, ino_t inode) {
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](std::uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 32;
  };
  const auto mixBytes = [&mix](std::string_view bytes) {
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + at, sizeof word);
      mix(word);
    }
    // The last bytes with the length, which keeps "ab" + "c" apart from
    // "a" + "bc".
    std::uint64_t last = static_cast<std::uint64_t>(bytes.size()) << 56;
    if (at < bytes.size()) std::memcpy(&last, bytes.data() + at, bytes.size() - at);
    mix(last);
  };
  mixBytes(subdir);
  mixBytes(name);
  mix(static_cast<std::uint64_t>(inode));
  return hash ^ (hash >> 29);
}

// Big-endian code units of the folded text: the byte order of two keys is
// the order SubjectFilter::Compare gives their texts.
std::string SortKey(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char16_t folded = SubjectFilter::FoldCase(c);
    bytes.push_back(static_cast<char>(folded >> 8));
    bytes.push_back(static_cast<char>(folded & 0xFF));
  }
  return bytes;
}

// The subject a message file's head gives; empty when it cannot be read.
std::u16string SubjectInFile(const std::string& path) {
  auto head = MaildirFiles::ReadHead(path);
  return head.ok() ? MessageReader::ReadSubject(head.value) : std::u16string();
}

void RemoveDatabaseFiles(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) unlink((path + suffix).c_str());
}

const char* OperatorOf(SubjectFilter::Op op) {
  switch (op) {
    case SubjectFilter::Op::Equal:
      return "=";
    case SubjectFilter::Op::NotEqual:
      return "<>";
    case SubjectFilter::Op::Less:
      return "<";
    case SubjectFilter::Op::LessEqual:
      return "<=";
    case SubjectFilter::Op::Greater:
      return ">";
    case SubjectFilter::Op::GreaterEqual:
      break;
  }
  return ">=";
}

}  // namespace

struct StoreIndex::Row {
  IndexedFile file;
  std::string subject;  // as stored
};

std::unique_ptr<StoreIndex> StoreIndex::Open(const std::string& storeDir,
                                             const std::string& firstFolderDir) {
  std::unique_ptr<EarlyListing> early;
  if (!firstFolderDir.empty()) {
    early = std::make_unique<EarlyListing>();
    early->dir = firstFolderDir;
    try {
      early->thread = std::jthread([listing = early.get()] {
        try {
          for (int slot = 0; slot < 2; ++slot) listing->sums[slot] = SumListing(listing->dir, slot);
          listing->listed = true;
        } catch (...) {
          // Out of memory on the way: the first sync lists by itself.
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: the first sync lists by itself.
    }
  }
  const std::string path = storeDir + "/" + kFileName;
  auto db = OpenFile(path);
  if (!db) {
    RemoveDatabaseFiles(path);
    db = OpenFile(path);
  }
  if (!db) db = OpenFile(":memory:");
  std::unique_ptr<StoreIndex> index(new StoreIndex(path, std::move(db)));
  index->early_ = std::move(early);
  if (!index->Prepare()) index->Rebuild();
  return index;
}

StoreIndex::StoreIndex(std::string path, std::unique_ptr<SqliteDatabase> db)
    : path_(std::move(path)), db_(std::move(db)) {}

StoreIndex::~StoreIndex() {
  if (db_) db_->Exec("COMMIT");
}

// A database of this version, or null: one that cannot be read as a
// database or holds another layout is not kept.
std::unique_ptr<SqliteDatabase> StoreIndex::OpenFile(const std::string& path) {
  auto db = SqliteDatabase::Open(path);
  // One process at a time holds the store: no shared-memory file, and a
  // kill or a crash never leaves the file half written. The file is read
  // through a memory map rather than a system call a page: the address
  // book's cache alone is a record of some 120 pages.
  if (!db || !db->Exec("PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=WAL;"
                       " PRAGMA synchronous=NORMAL; PRAGMA mmap_size=268435456")) {
    return nullptr;
  }
  SqliteStatement version = db->Prepare("PRAGMA user_version");
  if (!version.Valid() || !version.Step()) return nullptr;
  const std::int64_t found = version.Int(0);
  version = SqliteStatement();
  if (found == kVersion) return db;
  if (found != 0) return nullptr;
  const std::string create = std::string("BEGIN;") + kSchema +
                             "PRAGMA user_version=" + std::to_string(kVersion) + "; COMMIT;";
  if (!db->Exec(create.c_str())) return nullptr;
  return db;
}

bool StoreIndex::Prepare() {
  if (!db_) return false;
  folderRow_ =
      db_->Prepare("SELECT newdigest, newcount, curdigest, curcount FROM folders WHERE key = ?");
  storeFolder_ = db_->Prepare(
      "INSERT OR REPLACE INTO folders(key, newdigest, newcount, curdigest, curcount)"
      " VALUES(?, ?, ?, ?, ?)");
  // By the index that holds what is asked for: walking the folder's rows
  // in the table's order instead (SQLite's choice without it) made every
  // listing of a small new/ cost a pass over a large cur/.
  subdirFiles_ = db_->Prepare(
      "SELECT name, inode FROM messages INDEXED BY messages_by_subdir"
      " WHERE folder = ? AND subdir = ?");
  folderFiles_ = db_->Prepare(
      "SELECT subdir, name, inode, subject FROM messages WHERE folder = ? ORDER BY name, subdir");
  insert_ = db_->Prepare(
      "INSERT OR REPLACE INTO messages(folder, subdir, name, uniq, inode, subject, sortkey)"
      " VALUES(?, ?, ?, ?, ?, ?, ?)");
  remove_ = db_->Prepare("DELETE FROM messages WHERE folder = ? AND subdir = ? AND name = ?");
  fileRow_ = db_->Prepare(
      "SELECT inode, subject, sortkey FROM messages WHERE folder = ? AND subdir = ? AND name = ?");
  addressBook_ = db_->Prepare("SELECT files FROM address_books WHERE dir = ?");
  storeAddressBook_ = db_->Prepare("INSERT OR REPLACE INTO address_books(dir, files) VALUES(?, ?)");
  byUnique_ = db_->Prepare(
      "SELECT folder, subdir, name FROM messages WHERE uniq = ? ORDER BY folder, subdir DESC, "
      "name");
  return folderRow_.Valid() && storeFolder_.Valid() && folderFiles_.Valid() &&
         subdirFiles_.Valid() && insert_.Valid() && remove_.Valid() && fileRow_.Valid() &&
         byUnique_.Valid() && addressBook_.Valid() && storeAddressBook_.Valid() &&
         db_->Exec("BEGIN");
}

void StoreIndex::Rebuild() {
  matchingQueries_.clear();
  for (SqliteStatement* statement :
       {&folderRow_, &storeFolder_, &folderFiles_, &subdirFiles_, &insert_, &remove_, &fileRow_,
        &byUnique_, &addressBook_, &storeAddressBook_}) {
    *statement = SqliteStatement();
  }
  db_.reset();
  RemoveDatabaseFiles(path_);
  db_ = OpenFile(path_);
  if (!db_ || !Prepare()) {
    db_ = OpenFile(":memory:");
    if (!Prepare()) db_.reset();
  }
  // Every folder known so far is listed again into the new database.
  for (auto& [key, state] : folders_) {
    if (db_ && !SyncFolder(key, state)) break;
  }
}

void StoreIndex::Sync(const std::string& key, const std::string& dir, bool again,
                      const DirectoryChanges* seen) {
  auto [known, fresh] = folders_.try_emplace(key);
  if (!fresh && !again) return;
  known->second.dir = dir;
  if (!db_ || !SyncFolder(key, known->second, fresh ? nullptr : seen)) Rebuild();
}

bool StoreIndex::AgreesWithDisk(const std::string& key, const std::string& dir, const char* subdir,
                                const std::set<std::string>& names) {
  for (const std::string& name : names) {
    if (name.empty() || name[0] == '.') continue;  // never a message of the store
    struct stat info {};
    const bool onDisk =
        lstat((dir + "/" + subdir + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
    fileRow_.Bind(1, key).Bind(2, std::string_view(subdir)).Bind(3, name);
    const bool indexed = fileRow_.Step();
    const auto inode = indexed ? static_cast<ino_t>(fileRow_.Int(0)) : 0;
    fileRow_.Reset();
    if (onDisk != indexed || (onDisk && inode != info.st_ino)) return false;
  }
  return true;
}

bool StoreIndex::SyncFolder(const std::string& key, FolderState& state,
                            const DirectoryChanges* seen) {
  ListingSum stored[2];
  const bool known = StoredSums(key, stored);
  // new/ and cur/ are first only summed up as they are read, keeping
  // nothing: one whose sums are those the index holds is as indexed. One
  // that a watcher saw throughout, where every name that changed agrees
  // with the index, is not read at all.
  ListingSum listed[2];
  ListingSum earlySums[2];
  const bool early = seen == nullptr && TakeEarlyListing(state.dir, earlySums);
  for (int slot = 0; slot < 2; ++slot) {
    const char* subdir = kSubdirs[slot];
    if (known && seen != nullptr && !seen[slot].unknown &&
        AgreesWithDisk(key, state.dir, subdir, seen[slot].names)) {
      listed[slot] = stored[slot];
      continue;
    }
    listed[slot] = early ? earlySums[slot] : SumListing(state.dir, slot);
  }
  state.sums[0] = listed[0];
  state.sums[1] = listed[1];

  // In a changed subdirectory, rows that match a listed file exactly stay;
  // the others are taken out, and a file that was only renamed (same unique
  // name, same inode: flags changed, new/ to cur/, moved in by hand) keeps
  // its subject.
  struct Listed {
    IndexedFile file;
    ino_t inode;
  };
  std::vector<Listed> listing;
  std::unordered_map<std::string, ino_t> exact;
  std::map<std::pair<std::string, ino_t>, std::string> subjects;
  std::vector<std::pair<IndexedFile, ino_t>> stale;
  bool changed = false;
  for (int slot = 0; slot < 2; ++slot) {
    if (known && listed[slot] == stored[slot]) continue;
    changed = true;
    const char* subdir = kSubdirs[slot];
    // Read again in full: it may have changed since it was summed up.
    state.sums[slot] = {};
    for (ListedFile& entry : MaildirFiles::ListFilesWithInodes(state.dir + "/" + subdir)) {
      state.sums[slot].digest += FileDigest(subdir, entry.name, entry.inode);
      ++state.sums[slot].count;
      exact.emplace(std::string(subdir) + "/" + entry.name, entry.inode);
      listing.push_back({{subdir, std::move(entry.name)}, entry.inode});
    }
    subdirFiles_.Bind(1, key).Bind(2, std::string_view(subdir));
    while (subdirFiles_.Step()) {
      IndexedFile file{subdir, std::string(subdirFiles_.Text(0))};
      const auto inode = static_cast<ino_t>(subdirFiles_.Int(1));
      const auto found = exact.find(file.subdir + "/" + file.name);
      if (found != exact.end() && found->second == inode) {
        exact.erase(found);
        continue;
      }
      stale.push_back({std::move(file), inode});
    }
    const bool read = subdirFiles_.Done();
    subdirFiles_.Reset();
    if (!read) return false;
  }
  for (const auto& [file, inode] : stale) {
    // Its subject, kept for a file that was only renamed.
    fileRow_.Bind(1, key).Bind(2, file.subdir).Bind(3, file.name);
    const bool found = fileRow_.Step();
    if (found) {
      subjects.emplace(std::pair{std::string(MaildirFileName::UniqueName(file.name)), inode},
                       std::string(fileRow_.Blob(1)));
    }
    const bool failed = !found && !fileRow_.Done();
    fileRow_.Reset();
    if (failed) return false;
  }
  if (!changed) return true;
  for (const auto& [file, inode] : stale) {
    if (!Remove(key, file)) return false;
  }
  for (const Listed& entry : listing) {
    if (exact.count(entry.file.subdir + "/" + entry.file.name) == 0) continue;
    const auto renamed =
        subjects.find({std::string(MaildirFileName::UniqueName(entry.file.name)), entry.inode});
    std::u16string subject;
    if (renamed != subjects.end()) {
      subject = Utf16FromBytes(renamed->second);
    } else {
      subject = SubjectInFile(state.dir + "/" + entry.file.subdir + "/" + entry.file.name);
    }
    if (!Insert(key, entry.file, entry.inode, subject)) return false;
  }
  return StoreFolder(key, state);
}

StoreIndex::ListingSum StoreIndex::SumListing(const std::string& dir, int slot) {
  const char* subdir = kSubdirs[slot];
  ListingSum sum;
  MaildirFiles::ForEachFile(dir + "/" + subdir, [&](std::string_view name, ino_t inode) {
    sum.digest += FileDigest(subdir, name, inode);
    ++sum.count;
  });
  return sum;
}

bool StoreIndex::TakeEarlyListing(const std::string& dir, ListingSum (&sums)[2]) {
  if (!early_ || early_->dir != dir) return false;
  if (early_->thread.joinable()) early_->thread.join();
  const bool listed = early_->listed;
  sums[0] = early_->sums[0];
  sums[1] = early_->sums[1];
  early_.reset();
  return listed;
}

bool StoreIndex::Insert(const std::string& key, const IndexedFile& file, ino_t inode,
                        std::u16string_view subject) {
  insert_.Bind(1, key)
      .Bind(2, file.subdir)
      .Bind(3, file.name)
      .Bind(4, MaildirFileName::UniqueName(file.name))
      .Bind(5, static_cast<std::int64_t>(inode))
      .BindBlob(6, Utf16Bytes(subject))
      .BindBlob(7, SortKey(subject));
  return insert_.Run();
}

bool StoreIndex::Remove(const std::string& key, const IndexedFile& file) {
  remove_.Bind(1, key).Bind(2, file.subdir).Bind(3, file.name);
  return remove_.Run();
}

bool StoreIndex::StoreFolder(const std::string& key, const FolderState& state) {
  storeFolder_.Bind(1, key);
  for (int slot = 0; slot < 2; ++slot) {
    storeFolder_.Bind(2 + 2 * slot, static_cast<std::int64_t>(state.sums[slot].digest))
        .Bind(3 + 2 * slot, state.sums[slot].count);
  }
  return storeFolder_.Run();
}

std::int32_t StoreIndex::Count(const std::string& key) {
  const auto known = folders_.find(key);
  if (known == folders_.end()) return 0;
  const std::int64_t count = known->second.sums[0].count + known->second.sums[1].count;
  return static_cast<std::int32_t>(std::min<std::int64_t>(count, INT32_MAX));
}

std::optional<std::int32_t> StoreIndex::LastCount(const std::string& key) {
  if (IsSynced(key)) return Count(key);
  ListingSum stored[2];
  if (!db_ || !StoredSums(key, stored)) return std::nullopt;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(stored[0].count + stored[1].count, INT32_MAX));
}

bool StoreIndex::StoredSums(const std::string& key, ListingSum (&sums)[2]) {
  folderRow_.Bind(1, key);
  const bool known = folderRow_.Step();
  for (int slot = 0; known && slot < 2; ++slot) {
    sums[slot] = {static_cast<std::uint64_t>(folderRow_.Int(2 * slot)),
                  folderRow_.Int(2 * slot + 1)};
  }
  folderRow_.Reset();
  return known;
}

std::vector<IndexedFile> StoreIndex::Files(const std::string& key) {
  std::vector<IndexedFile> files;
  if (!IsSynced(key)) return files;
  for (int attempt = 0; attempt < 2 && db_; ++attempt) {
    folderFiles_.Bind(1, key);
    while (folderFiles_.Step()) {
      files.push_back({std::string(folderFiles_.Text(0)), std::string(folderFiles_.Text(1))});
    }
    const bool listed = folderFiles_.Done();
    folderFiles_.Reset();
    if (listed) return files;
    files.clear();
    Rebuild();
  }
  return files;
}

std::vector<IndexedFile> StoreIndex::Matching(const std::string& key, const SubjectFilter& filter) {
  std::vector<IndexedFile> files;
  if (!IsSynced(key)) return files;
  // The filter as a query on the subjects' sort keys, so that a range of
  // subjects is found through the index rather than by reading every row.
  std::vector<std::string> keys;
  const std::string condition = filter.Translate<std::string>(
      [&keys](SubjectFilter::Op op, std::u16string_view value) {
        keys.push_back(SortKey(value));
        if (op != SubjectFilter::Op::NotEqual) {
          return std::string("sortkey ") + OperatorOf(op) + " ?";
        }
        keys.push_back(keys.back());
        return std::string("(sortkey < ? OR sortkey > ?)");
      },
      [](std::string a, std::string b) { return "(" + a + " AND " + b + ")"; },
      [](std::string a, std::string b) { return "(" + a + " OR " + b + ")"; });
  for (int attempt = 0; attempt < 2 && db_; ++attempt) {
    // Unordered, so that SQLite may seek each range of an OR in the subject
    // index rather than walk the whole folder in the order of the names.
    // A filter's statement is kept: the add-in asks the same few again and
    // again.
    auto [known, fresh] = matchingQueries_.try_emplace(condition);
    if (fresh) {
      known->second =
          db_->Prepare("SELECT subdir, name FROM messages WHERE folder = ? AND " + condition);
    }
    SqliteStatement& query = known->second;
    // Deeper than the database takes an expression: every row, judged here.
    const bool judgedHere = !query.Valid();
    SqliteStatement& rows = judgedHere ? folderFiles_ : query;
    rows.Bind(1, key);
    for (std::size_t i = 0; !judgedHere && i < keys.size(); ++i) {
      rows.BindBlob(static_cast<int>(i) + 2, keys[i]);
    }
    while (rows.Step()) {
      if (judgedHere && !filter.Matches(Utf16FromBytes(rows.Blob(3)))) continue;
      files.push_back({std::string(rows.Text(0)), std::string(rows.Text(1))});
    }
    const bool listed = rows.Done();
    rows.Reset();
    if (listed) {
      std::sort(files.begin(), files.end(), [](const IndexedFile& a, const IndexedFile& b) {
        return std::tie(a.name, a.subdir) < std::tie(b.name, b.subdir);
      });
      return files;
    }
    files.clear();
    Rebuild();
  }
  return files;
}

std::vector<IndexedLocation> StoreIndex::WithUniqueName(std::string_view uniqueName) {
  std::vector<IndexedLocation> found;
  if (!db_) return found;
  byUnique_.Bind(1, uniqueName);
  while (byUnique_.Step()) {
    std::string folder(byUnique_.Text(0));
    if (!IsSynced(folder)) continue;
    found.push_back(
        {std::move(folder), {std::string(byUnique_.Text(1)), std::string(byUnique_.Text(2))}});
  }
  byUnique_.Reset();
  return found;
}

void StoreIndex::Added(const std::string& key, const IndexedFile& file, ino_t inode,
                       std::u16string_view subject) {
  const auto folder = folders_.find(key);
  if (folder == folders_.end() || !db_) return;
  if (!AddRow(key, folder->second, file, inode, subject)) Rebuild();
}

bool StoreIndex::AddRow(const std::string& key, FolderState& state, const IndexedFile& file,
                        ino_t inode, std::u16string_view subject) {
  ListingSum& sum = state.sums[SubdirSlot(file.subdir)];
  sum.digest += FileDigest(file.subdir, file.name, inode);
  ++sum.count;
  return Insert(key, file, inode, subject) && StoreFolder(key, state);
}

void StoreIndex::Renamed(const std::string& oldKey, const IndexedFile& oldFile,
                         const std::string& newKey, const IndexedFile& newFile) {
  const auto from = folders_.find(oldKey);
  const auto to = folders_.find(newKey);
  if (from == folders_.end() || to == folders_.end() || !db_) return;
  fileRow_.Bind(1, oldKey).Bind(2, oldFile.subdir).Bind(3, oldFile.name);
  const bool known = fileRow_.Step();
  const auto inode = known ? static_cast<ino_t>(fileRow_.Int(0)) : 0;
  const std::u16string subject = known ? Utf16FromBytes(fileRow_.Blob(1)) : std::u16string();
  fileRow_.Reset();
  if (!known) {
    // A file that came after the folder's last listing (a watcher's poll
    // takes in mail that arrived after it looked): it is indexed where it is
    // now, as a listing would find it, with no listing of a folder that may
    // hold thousands. Had it been in a listing, it would have a row.
    if (!AddUnlisted(newKey, to->second, newFile)) Rebuild();
    return;
  }
  ListingSum& fromSum = from->second.sums[SubdirSlot(oldFile.subdir)];
  fromSum.digest -= FileDigest(oldFile.subdir, oldFile.name, inode);
  --fromSum.count;
  ListingSum& toSum = to->second.sums[SubdirSlot(newFile.subdir)];
  toSum.digest += FileDigest(newFile.subdir, newFile.name, inode);
  ++toSum.count;
  if (!Remove(oldKey, oldFile) || !Insert(newKey, newFile, inode, subject) ||
      !StoreFolder(oldKey, from->second) || !StoreFolder(newKey, to->second)) {
    Rebuild();
  }
}

bool StoreIndex::AddUnlisted(const std::string& key, FolderState& state, const IndexedFile& file) {
  const std::string path = state.dir + "/" + file.subdir + "/" + file.name;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return SyncFolder(key, state);
  return AddRow(key, state, file, info.st_ino, SubjectInFile(path));
}

void StoreIndex::Rewritten(const std::string& key, const IndexedFile& file, ino_t inode,
                           std::u16string_view subject) {
  const auto folder = folders_.find(key);
  if (folder == folders_.end() || !db_) return;
  fileRow_.Bind(1, key).Bind(2, file.subdir).Bind(3, file.name);
  const bool known = fileRow_.Step();
  const auto oldInode = known ? static_cast<ino_t>(fileRow_.Int(0)) : 0;
  fileRow_.Reset();
  if (!known) {
    if (!SyncFolder(key, folder->second)) Rebuild();
    return;
  }
  folder->second.sums[SubdirSlot(file.subdir)].digest +=
      FileDigest(file.subdir, file.name, inode) - FileDigest(file.subdir, file.name, oldInode);
  if (!Insert(key, file, inode, subject) || !StoreFolder(key, folder->second)) Rebuild();
}

ContactsRecord StoreIndex::CachedAddressBook(const std::string& dir) {
  ContactsRecord record;
  if (!db_) return record;
  addressBook_.Bind(1, dir);
  if (addressBook_.Step()) record = ContactsRecord::Parse(std::string(addressBook_.Blob(0)));
  addressBook_.Reset();
  return record;
}

void StoreIndex::CacheAddressBook(const std::string& dir, const ContactsRecord& record) {
  if (!db_) return;
  storeAddressBook_.Bind(1, dir).BindBlob(2, record.Bytes());
  if (!storeAddressBook_.Run()) Rebuild();
}

void StoreIndex::Commit() {
  if (db_ && !db_->Exec("COMMIT; BEGIN")) Rebuild();
}

}  // namespace skerrow::maildir
