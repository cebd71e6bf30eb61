// The store's index: for every message file its folder, name and subject,
// and for every folder its item count, in an SQLite file in the store's
// root, so that Restrict, the counts and the lookups by unique name need not
// read every message file at every command.
//
// The message files stay the truth; the index is a cache of them:
// - A folder is brought up to date from its new/ and cur/ listings the first
//   time a command uses it (Sync), since other Maildir clients add, remove
//   and rename files between commands. A digest of each listing (names and
//   inode numbers) tells an unchanged new/ or cur/ at the cost of reading
//   the directory; the rows of a changed one are compared with its listing,
//   and only a file not known yet (or rewritten: a new inode under a known
//   name) has its head read. A watcher's poll, where mail arrives in new/,
//   thus compares no row of a large cur/.
// - The store's own changes are recorded as they happen (Added, Renamed,
//   Rewritten), in one open transaction that Commit ends. A kill before the
//   commit leaves the index as it was at the last one, and the next command's
//   listing finds every file the lost changes touched.
// - A file that is missing, damaged or of another version is made anew, and
//   a database that fails in use is thrown away and rebuilt, without a word:
//   at worst in memory, for the rest of the command.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "host/SubjectFilter.h"
#include "host/maildir/ContactsRecord.h"
#include "host/maildir/DirectoryChanges.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/SqliteDatabase.h"

namespace skerrow::maildir {

struct IndexedFile {
  std::string subdir;  // "new" or "cur"
  std::string name;    // the file name, flags included
};

struct IndexedLocation {
  std::string folder;  // the folder's key
  IndexedFile file;
};

class StoreIndex {
 public:
  static constexpr const char* kFileName = ".skerrow-index";
  // The layout of the tables; an index of another version is made anew.
  static constexpr int kVersion = 4;

  // The index of the store at storeDir; never fails. With firstFolderDir,
  // the listing of that folder's new/ and cur/ for its first sync is begun
  // on a thread at once, beside the opening of the database and what the
  // command does until it asks for the folder: the Inbox, which every
  // command lists at its start, and whose reading is most of a large
  // mailbox's start. The first sync of that folder takes it.
  static std::unique_ptr<StoreIndex> Open(const std::string& storeDir,
                                          const std::string& firstFolderDir = {});
  // Commits what is pending.
  ~StoreIndex();
  StoreIndex(const StoreIndex&) = delete;
  StoreIndex& operator=(const StoreIndex&) = delete;

  // A folder is named by its key (its directory below the store) and found
  // on disk at dir. The first Sync of a folder in this index's life brings
  // it up to date; later ones do nothing unless again is set (a watcher's
  // poll). A watcher's poll may give what it saw of new/ and cur/ (in this
  // order): a subdirectory where every name that changed is on disk just as
  // the index has it is not listed, so that a poll costs the changes, not
  // the size of cur/.
  void Sync(const std::string& key, const std::string& dir, bool again = false,
            const DirectoryChanges* seen = nullptr);
  bool IsSynced(const std::string& key) const { return folders_.count(key) != 0; }

  // Synced folders only.
  std::int32_t Count(const std::string& key);
  // The count the folder had when a command last brought it up to date,
  // without looking at it now; none when the index does not know it.
  std::optional<std::int32_t> LastCount(const std::string& key);
  // Sorted by file name.
  std::vector<IndexedFile> Files(const std::string& key);
  std::vector<IndexedFile> Matching(const std::string& key, const SubjectFilter& filter);
  // In the synced folders.
  std::vector<IndexedLocation> WithUniqueName(std::string_view uniqueName);

  // The store's own changes to files of synced folders, once made on disk.
  // A file renamed that came after its folder's last listing (a watcher's
  // poll may meet one) is indexed where it now is, its subject read from its
  // head; one rewritten has its folder listed anew. The rest of the index
  // stays.
  void Added(const std::string& key, const IndexedFile& file, ino_t inode,
             std::u16string_view subject);
  void Renamed(const std::string& oldKey, const IndexedFile& oldFile, const std::string& newKey,
               const IndexedFile& newFile);
  void Rewritten(const std::string& key, const IndexedFile& file, ino_t inode,
                 std::u16string_view subject);

  // Makes the changes so far part of the index file.
  void Commit();

  // The address book's cache: the cards of each file of a contacts folder
  // as last read, with the size and modification time the file had then,
  // sorted by name. One record for the whole folder, read and written in one
  // piece, so that thousands of contacts cost one row. Empty when there is
  // none or it is damaged.
  ContactsRecord CachedAddressBook(const std::string& dir);
  void CacheAddressBook(const std::string& dir, const ContactsRecord& record);

 private:
  // What a listing of new/ or cur/ sums up to.
  struct ListingSum {
    std::uint64_t digest = 0;
    std::int64_t count = 0;
    bool operator==(const ListingSum&) const = default;
  };
  struct FolderState {
    std::string dir;
    ListingSum sums[2];  // new/, cur/
  };
  struct Row;
  // What the listing begun at the opening summed up to.
  struct EarlyListing {
    std::string dir;
    ListingSum sums[2];
    bool listed = false;  // written by the thread, read after joining it
    std::jthread thread;  // last: joined before the members it writes go
  };

  StoreIndex(std::string path, std::unique_ptr<SqliteDatabase> db);
  static std::unique_ptr<SqliteDatabase> OpenFile(const std::string& path);
  bool Prepare();
  // Throws the database away and starts anew; the folders synced so far are
  // synced again.
  void Rebuild();
  bool SyncFolder(const std::string& key, FolderState& state,
                  const DirectoryChanges* seen = nullptr);
  // The sums of new/ and cur/ the index holds for the folder, as its last
  // listing and the store's changes since left them; false when it holds
  // none.
  bool StoredSums(const std::string& key, ListingSum (&sums)[2]);
  // What a listing of the folder's new/ (slot 0) or cur/ (slot 1) sums up
  // to, read now.
  static ListingSum SumListing(const std::string& dir, int slot);
  // The sums of the listing begun at the opening, once, when it was of dir
  // and it ended; false otherwise.
  bool TakeEarlyListing(const std::string& dir, ListingSum (&sums)[2]);
  // Whether each of the names is in the subdirectory on disk exactly when
  // the index has it there, with the inode the index has.
  bool AgreesWithDisk(const std::string& key, const std::string& dir, const char* subdir,
                      const std::set<std::string>& names);
  // Indexes a file of the folder that no listing has seen yet (lists the
  // folder anew when the file is not there as a regular file).
  bool AddUnlisted(const std::string& key, FolderState& state, const IndexedFile& file);
  // Adds a file to the folder's rows and sums, as if listed.
  bool AddRow(const std::string& key, FolderState& state, const IndexedFile& file, ino_t inode,
              std::u16string_view subject);
  bool Insert(const std::string& key, const IndexedFile& file, ino_t inode,
              std::u16string_view subject);
  bool Remove(const std::string& key, const IndexedFile& file);
  bool StoreFolder(const std::string& key, const FolderState& state);

  std::string path_;
  std::unique_ptr<SqliteDatabase> db_;
  std::map<std::string, FolderState> folders_;
  SqliteStatement folderRow_, storeFolder_, folderFiles_, subdirFiles_, insert_, remove_, fileRow_,
      byUnique_, addressBook_, storeAddressBook_;
  // By the filter's condition.
  std::map<std::string, SqliteStatement> matchingQueries_;
  std::unique_ptr<EarlyListing> early_;
};

}  // namespace skerrow::maildir
