#include "platform/linux/Prefix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/linux/LinuxRegistry.h"
#include "platform/linux/TextLines.h"

namespace skerrow {

namespace {

// The existing entry of folder whose name equals name but for case, or name
// itself when there is none (or several would do and one matches exactly).
std::filesystem::path ResolveComponent(const std::filesystem::path& folder,
                                       const std::string& name) {
  std::error_code ec;
  std::filesystem::path exact = folder / name;
  if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) return exact;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return exact;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    if (textlines::EqualsNoCase(it->path().filename().string(), name)) return it->path();
  }
  return exact;
}

// Creates the folder and whatever is missing above it, each new folder for
// its owner only: the prefix holds what the user's mail taught the filter.
bool MakeFolder(const std::filesystem::path& folder, std::string* error) {
  std::error_code ec;
  std::filesystem::path built;
  for (const std::filesystem::path& part : folder) {
    built /= part;
    if (std::filesystem::exists(std::filesystem::symlink_status(built, ec))) continue;
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) break;
  }
  if (!std::filesystem::is_directory(folder, ec)) {
    if (error) *error = "cannot create folder " + folder.string() + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool MakeFileIfMissing(const std::filesystem::path& file, std::string_view content,
                       std::string* error) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return true;
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  bool ok = fd >= 0 &&
            ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  const int written = errno;
  if (fd >= 0 && ::close(fd) != 0) ok = false;
  if (!ok) {
    if (fd >= 0) ::unlink(file.c_str());
    if (error) *error = "cannot create file " + file.string() + ": " + std::strerror(written);
    return false;
  }
  return true;
}

}  // namespace

std::filesystem::path Prefix::DefaultRoot() {
  if (const char* home = std::getenv("SKERROW_HOME"); home && *home) return home;
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".local" / "share" / "skerrow";
  }
  return {};
}

bool Prefix::Create(std::string* error) const {
  if (root_.empty()) {
    if (error) *error = "no prefix folder given";
    return false;
  }
  return MakeFolder(root_, error) &&
         MakeFolder(DriveC() / "Program Files" / "Quelbrik" / "Skerrowdir", error) &&
         MakeFolder(Contacts(), error) && MakeFileIfMissing(WinIni(), "", error) &&
         MakeFileIfMissing(RegistryFile(), LinuxRegistry::InitialContent(), error);
}

std::optional<std::filesystem::path> Prefix::HostPath(std::string_view windowsPath) const {
  if (windowsPath.find('\0') != std::string_view::npos) return std::nullopt;
  char drive = 'c';
  std::string_view rest = windowsPath;
  auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  if (rest.size() >= 2 && rest[1] == ':' &&
      ((rest[0] >= 'a' && rest[0] <= 'z') || (rest[0] >= 'A' && rest[0] <= 'Z'))) {
    drive = ascii::ToLower(rest[0]);
    rest.remove_prefix(2);
    // "C:name" is relative to the drive's current folder, which we do not have.
    if (rest.empty() || !isSeparator(rest[0])) return std::nullopt;
  } else if (rest.empty() || !isSeparator(rest[0]) || (rest.size() > 1 && isSeparator(rest[1]))) {
    return std::nullopt;  // relative or network path
  }

  std::vector<std::string> components;
  std::size_t pos = 0;
  while (pos < rest.size()) {
    std::size_t end = pos;
    while (end < rest.size() && !isSeparator(rest[end])) ++end;
    std::string_view component = rest.substr(pos, end - pos);
    pos = end + 1;
    if (component.empty() || component == ".") continue;
    if (component == "..") return std::nullopt;
    components.emplace_back(component);
  }
  if (components.empty()) return std::nullopt;

  std::filesystem::path host = root_ / (std::string("drive_") + drive);
  for (const std::string& component : components) host = ResolveComponent(host, component);
  return host;
}

}  // namespace skerrow
