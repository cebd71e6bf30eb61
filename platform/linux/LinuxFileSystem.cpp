#include "platform/linux/LinuxFileSystem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/LinuxReplacementFile.h"
#include "platform/linux/TextLines.h"

namespace skerrow {

bool LinuxFileSystem::AppendText(std::string_view path, std::string_view text) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  if (!host) return false;
  int fd = ::open(host->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
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

std::unique_ptr<ReplacementFile> LinuxFileSystem::CreateReplacement(std::string_view path) {
  std::optional<std::filesystem::path> host = prefix_.HostPath(path);
  if (!host) return nullptr;
  return LinuxReplacementFile::Create(*host);
}

}  // namespace skerrow
