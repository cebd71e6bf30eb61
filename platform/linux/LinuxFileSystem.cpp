#include "platform/linux/LinuxFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/linux/LinuxReplacementFile.h"
#include "platform/linux/TextLines.h"

namespace skerrow {

bool LinuxFileSystem::AppendText(std::string_view path, std::string_view text) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  if (!host) return false;
  int fd = ::open(host->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = true;
  while (!text.empty()) {
    ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      ok = false;
      break;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return ::close(fd) == 0 && ok;
}

std::optional<std::string> LinuxFileSystem::ReadAll(std::string_view path) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  if (!host) return std::nullopt;
  return textlines::ReadFile(*host);
}

bool LinuxFileSystem::Exists(std::string_view path) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  struct stat info {};
  return host && ::lstat(host->c_str(), &info) == 0;
}

std::unique_ptr<ReplacementFile> LinuxFileSystem::CreateReplacement(std::string_view path) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  if (!host) return nullptr;
  return LinuxReplacementFile::Create(*host, failures_);
}

bool LinuxFileSystem::RenameFile(std::string_view from, std::string_view to) {
  std::optional<std::filesystem::path> source = prefix_.HostPath(from);
  std::optional<std::filesystem::path> target = prefix_.HostPath(to);
  if (!source || !target) return false;
  if (::rename(source->c_str(), target->c_str()) != 0) {
    if (failures_) failures_->AddError(*target, errno);
    return false;
  }
  return true;
}

}  // namespace skerrow
