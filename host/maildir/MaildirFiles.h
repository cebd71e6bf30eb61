// The file operations of the store, each reporting its failure as a status.
// Writes follow the Maildir discipline: a message is written in full into
// tmp/, flushed to the disk, and only then renamed into place, so a crash at
// any moment leaves either the old file or the new one, never half of one.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Result.h"

namespace skerrow::maildir {

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  time_t modified = 0;

  bool operator==(const FileStamp&) const = default;
};

struct ListedFile {
  std::string name;
  ino_t inode = 0;
};

struct StampedFile {
  std::string name;
  FileStamp stamp;
};

class MaildirFiles {
 public:
  static Result<FileStamp> Stat(const std::string& path);
  static Result<std::string> ReadAll(const std::string& path);
  // Hands bytes [offset, offset + length) of the file to take, in order, in
  // pieces of at most a mebibyte. Fails when the file cannot be read or ends
  // before them.
  static HResult ReadPieces(const std::string& path, std::size_t offset, std::size_t length,
                            const std::function<void(std::string_view)>& take);
  // The beginning of the file up to and including the empty line that ends
  // its header (the whole file when there is none).
  static Result<std::string> ReadHead(const std::string& path);
  // The length of the head ReadHead reads from a message's bytes: up to and
  // including the empty line that ends its header; npos without one. The
  // search starts a line ending before from (the bytes before it are known
  // to hold no empty line).
  static std::size_t HeadLength(std::string_view bytes, std::size_t from = 0);

  // Writes bytes into a new file in tmpDir (created exclusively, named by the
  // unique name) and renames it to target, which must not exist yet. The new
  // file gets mode. With durable, the file is synced before the rename; the
  // rename itself is made durable by syncing target's directory, which is
  // the caller's to do (so that a batch can share it).
  static HResult CreateMessage(const std::string& tmpDir, const std::string& uniqueName,
                               std::string_view bytes, const std::string& target, mode_t mode,
                               bool durable = true);
  // Writes bytes into tmpDir/uniqueName, created exclusively, unsynced: the
  // first half of CreateMessage, for a batch whose files are made durable
  // together (SyncFiles) before they are renamed into place.
  static HResult StageMessage(const std::string& tmpDir, const std::string& uniqueName,
                              std::string_view bytes, mode_t mode);
  // Makes the files' contents durable: each synced when they are few, else
  // the whole file system at once (a single call, however many files).
  static HResult SyncFiles(const std::vector<std::string>& paths);
  // Writes bytes into a fresh file in tmpDir, syncs it (with durable), and
  // renames it over target, keeping target's permission bits. Syncing
  // target's directory is the caller's.
  static HResult ReplaceMessage(const std::string& tmpDir, std::string_view bytes,
                                const std::string& target, bool durable = true);

  // Renames without ever replacing an existing file or directory.
  static HResult RenameNoReplace(const std::string& from, const std::string& to);
  // Makes the last renames in the directory durable; false when that failed.
  static bool SyncDirectory(const std::string& dir);

  static bool IsDirectory(const std::string& path);
  // A Maildir: a directory with cur/ or new/.
  static bool IsMaildir(const std::string& dir);
  // Creates the directory (if missing) with cur/, new/ and tmp/.
  static HResult EnsureMaildir(const std::string& dir);

  // The names of the regular files in dir, except hidden ones, sorted.
  static std::vector<std::string> ListFiles(const std::string& dir);
  // The same with their inode numbers, as the directory gives them.
  static std::vector<ListedFile> ListFilesWithInodes(const std::string& dir);
  // Calls visit with the name and inode number of each of those files, in
  // the directory's order, keeping nothing.
  static void ForEachFile(const std::string& dir,
                          const std::function<void(std::string_view name, ino_t inode)>& visit);
  // The same with the stamps Stat gives, each file looked up in the open
  // directory rather than by its whole path again.
  static std::vector<StampedFile> ListFilesWithStamps(const std::string& dir);
  // The stamp of name in the directory open as dirFd, followed if a link;
  // none when that is not a regular file or cannot be looked up.
  static std::optional<FileStamp> RegularFileStamp(int dirFd, const char* name);
  // In the order of the listings above.
  static void SortByName(std::vector<StampedFile>& files);
  // The names of the subdirectories of dir, sorted.
  static std::vector<std::string> ListDirectories(const std::string& dir);

  // Removes an empty directory tree made by a failed creation.
  static void RemoveTree(const std::string& dir);
};

}  // namespace skerrow::maildir
