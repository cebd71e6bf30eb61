#include "host/maildir/MaildirFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting whether the close (the last chance for a write
  // error to show) succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

HResult WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return StatusFromErrno(errno);
    }
    done += static_cast<std::size_t>(written);
  }
  return hr::kOk;
}

// Writes and syncs a new file at path, created exclusively.
HResult WriteNewFile(const std::string& path, std::string_view bytes, mode_t mode, bool durable) {
  FileDescriptor fd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
  if (fd.get() < 0) return StatusFromErrno(errno);
  HResult status = WriteAll(fd.get(), bytes);
  if (hr::Succeeded(status) && fchmod(fd.get(), mode) != 0) status = StatusFromErrno(errno);
  if (hr::Succeeded(status) && durable && fsync(fd.get()) != 0) status = StatusFromErrno(errno);
  if (!fd.Close() && hr::Succeeded(status)) status = StatusFromErrno(errno);
  if (hr::Failed(status)) unlink(path.c_str());
  return status;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Calls visit(name, type, inode) for each entry of dir but "." and "..", a
// link's type being that of what it leads to.
template <class Visit>
void VisitEntries(const std::string& dir, Visit visit) {
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return;
  while (const dirent* entry = readdir(handle)) {
    const char* name = entry->d_name;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
      struct stat info {};
      if (stat((dir + "/" + name).c_str(), &info) != 0) continue;
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    visit(name, type, entry->d_ino);
  }
  closedir(handle);
}

template <class Keep>
std::vector<ListedFile> ListEntries(const std::string& dir, Keep keep) {
  std::vector<ListedFile> entries;
  VisitEntries(dir, [&](const char* name, unsigned char type, ino_t inode) {
    if (keep(name, type)) entries.push_back({name, inode});
  });
  std::sort(entries.begin(), entries.end(),
            [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
  return entries;
}

std::vector<std::string> NamesOf(std::vector<ListedFile> entries) {
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (ListedFile& entry : entries) names.push_back(std::move(entry.name));
  return names;
}

bool IsMessageFile(const char* name, unsigned char type) {
  return type == DT_REG && name[0] != '.';
}

FileStamp StampOf(const struct stat& info) {
  FileStamp stamp;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim.tv_sec;
  stamp.modifiedNs =
      static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
  return stamp;
}

}  // namespace

Result<FileStamp> MaildirFiles::Stat(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return Fail<FileStamp>(StatusFromErrno(errno));
  if (!S_ISREG(info.st_mode)) return Fail<FileStamp>(kFileNotFound);
  return Ok(StampOf(info));
}

Result<std::string> MaildirFiles::ReadAll(const std::string& path) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Fail<std::string>(StatusFromErrno(errno));
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return Fail<std::string>(StatusFromErrno(errno));
  if (!S_ISREG(info.st_mode)) return Fail<std::string>(kFileNotFound);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  while (true) {
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail<std::string>(StatusFromErrno(errno));
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return Ok(std::move(bytes));
}

HResult MaildirFiles::ReadPieces(const std::string& path, std::size_t offset, std::size_t length,
                                 const std::function<void(std::string_view)>& take) {
  constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return StatusFromErrno(errno);
  std::string buffer(std::min(length, kPieceBytes), '\0');
  while (length > 0) {
    const ssize_t got =
        pread(fd.get(), buffer.data(), std::min(length, buffer.size()), static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return StatusFromErrno(errno);
    if (got == 0) return kFileNotFound;  // shorter than it was
    take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    offset += static_cast<std::size_t>(got);
    length -= static_cast<std::size_t>(got);
  }
  return hr::kOk;
}

Result<std::string> MaildirFiles::ReadHead(const std::string& path) {
  FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return Fail<std::string>(StatusFromErrno(errno));
  std::string bytes;
  char buffer[16384];
  std::size_t searched = 0;
  while (true) {
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail<std::string>(StatusFromErrno(errno));
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    const std::size_t length = HeadLength(bytes, searched);
    if (length != std::string_view::npos) {
      bytes.resize(length);
      return Ok(std::move(bytes));
    }
    searched = bytes.size();
  }
  return Ok(std::move(bytes));
}

std::size_t MaildirFiles::HeadLength(std::string_view bytes, std::size_t from) {
  // "\n\n" or "\n\r\n", which may straddle from.
  for (std::size_t i = from >= 2 ? from - 2 : 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    if (bytes[i + 1] == '\n') return i + 2;
    if (bytes[i + 1] == '\r' && i + 2 < bytes.size() && bytes[i + 2] == '\n') return i + 3;
  }
  return std::string_view::npos;
}

HResult MaildirFiles::CreateMessage(const std::string& tmpDir, const std::string& uniqueName,
                                    std::string_view bytes, const std::string& target, mode_t mode,
                                    bool durable) {
  const std::string staged = tmpDir + "/" + uniqueName;
  HResult status = WriteNewFile(staged, bytes, mode, durable);
  if (hr::Failed(status)) return status;
  status = RenameNoReplace(staged, target);
  if (hr::Failed(status)) unlink(staged.c_str());
  return status;
}

HResult MaildirFiles::StageMessage(const std::string& tmpDir, const std::string& uniqueName,
                                   std::string_view bytes, mode_t mode) {
  return WriteNewFile(tmpDir + "/" + uniqueName, bytes, mode, false);
}

HResult MaildirFiles::SyncFiles(const std::vector<std::string>& paths) {
  // Beyond a few files one syncfs costs less than a sync each, which would
  // each wait for the disk.
  constexpr std::size_t kSyncEachUpTo = 8;
  if (paths.empty()) return hr::kOk;
  if (paths.size() > kSyncEachUpTo) {
    FileDescriptor fd(open(paths.front().c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0 && syncfs(fd.get()) == 0) return hr::kOk;
  }
  for (const std::string& path : paths) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return StatusFromErrno(errno);
    if (fsync(fd.get()) != 0) return StatusFromErrno(errno);
  }
  return hr::kOk;
}

HResult MaildirFiles::ReplaceMessage(const std::string& tmpDir, std::string_view bytes,
                                     const std::string& target, bool durable) {
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) return StatusFromErrno(errno);
  HResult status = EnsureMaildir(DirectoryOf(tmpDir));
  if (hr::Failed(status)) return status;
  std::string staged;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    staged = tmpDir + "/" + std::to_string(std::time(nullptr)) + ".R" + std::to_string(attempt) +
             "P" + std::to_string(getpid()) + ".rewrite";
    status = WriteNewFile(staged, bytes, info.st_mode & 07777, durable);
    if (status != kAlreadyExists) break;
  }
  if (hr::Failed(status)) return status;
  if (rename(staged.c_str(), target.c_str()) != 0) {
    status = StatusFromErrno(errno);
    unlink(staged.c_str());
    return status;
  }
  return hr::kOk;
}

HResult MaildirFiles::RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return hr::kOk;
  }
  if (errno != EINVAL && errno != ENOSYS) return StatusFromErrno(errno);
  // A file system without the flag: a hard link cannot replace either.
  struct stat info {};
  if (lstat(from.c_str(), &info) != 0) return StatusFromErrno(errno);
  if (S_ISDIR(info.st_mode)) {
    if (access(to.c_str(), F_OK) == 0) return kAlreadyExists;
    if (rename(from.c_str(), to.c_str()) != 0) return StatusFromErrno(errno);
    return hr::kOk;
  }
  if (link(from.c_str(), to.c_str()) != 0) return StatusFromErrno(errno);
  unlink(from.c_str());
  return hr::kOk;
}

bool MaildirFiles::SyncDirectory(const std::string& dir) {
  FileDescriptor fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd.get() >= 0 && fsync(fd.get()) == 0;
}

bool MaildirFiles::IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MaildirFiles::IsMaildir(const std::string& dir) {
  return IsDirectory(dir + "/cur") || IsDirectory(dir + "/new");
}

HResult MaildirFiles::EnsureMaildir(const std::string& dir) {
  for (const std::string& path : {dir, dir + "/cur", dir + "/new", dir + "/tmp"}) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return StatusFromErrno(errno);
    if (!IsDirectory(path)) return kPathNotFound;
  }
  return hr::kOk;
}

std::vector<std::string> MaildirFiles::ListFiles(const std::string& dir) {
  return NamesOf(ListEntries(dir, IsMessageFile));
}

std::vector<ListedFile> MaildirFiles::ListFilesWithInodes(const std::string& dir) {
  return ListEntries(dir, IsMessageFile);
}

void MaildirFiles::ForEachFile(const std::string& dir,
                               const std::function<void(std::string_view, ino_t)>& visit) {
  VisitEntries(dir, [&](const char* name, unsigned char type, ino_t inode) {
    if (IsMessageFile(name, type)) visit(name, inode);
  });
}

std::optional<FileStamp> MaildirFiles::RegularFileStamp(int dirFd, const char* name) {
  struct stat info {};
  if (fstatat(dirFd, name, &info, 0) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return StampOf(info);
}

std::vector<StampedFile> MaildirFiles::ListFilesWithStamps(const std::string& dir) {
  std::vector<StampedFile> files;
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return files;
  while (const dirent* entry = readdir(handle)) {
    if (entry->d_name[0] == '.') continue;
    if (auto stamp = RegularFileStamp(dirfd(handle), entry->d_name)) {
      files.push_back({entry->d_name, *stamp});
    }
  }
  closedir(handle);
  SortByName(files);
  return files;
}

void MaildirFiles::SortByName(std::vector<StampedFile>& files) {
  std::sort(files.begin(), files.end(),
            [](const StampedFile& a, const StampedFile& b) { return a.name < b.name; });
}

std::vector<std::string> MaildirFiles::ListDirectories(const std::string& dir) {
  return NamesOf(ListEntries(dir, [](const char*, unsigned char type) { return type == DT_DIR; }));
}

void MaildirFiles::RemoveTree(const std::string& dir) {
  for (const char* sub : {"/cur", "/new", "/tmp"}) rmdir((dir + sub).c_str());
  unlink((dir + "/maildirfolder").c_str());
  rmdir(dir.c_str());
}

}  // namespace skerrow::maildir
