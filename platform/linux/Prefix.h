// The prefix folder: the Windows-like world the add-in lives in on Linux.
//
//   <root>/win.ini        the profile (may be empty)
//   <root>/registry.txt   the registry (see LinuxRegistry.h for the format)
//   <root>/drive_c/       the C: drive; other drives are drive_<letter>/
//   <root>/drive_c/Program Files/Quelbrik/Skerrowdir/   the installation folder
//   <root>/contacts/      the address book (*.vcf)
//
// Windows paths name files inside the prefix: "C:\Skerrowlog.txt" is
// <root>/drive_c/Skerrowlog.txt. Path components are matched without regard
// to case when the exact name does not exist, as on Windows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace skerrow {

class Prefix {
 public:
  explicit Prefix(std::filesystem::path root) : root_(std::move(root)) {}

  // $SKERROW_HOME, else $HOME/.local/share/skerrow; empty when neither is set.
  static std::filesystem::path DefaultRoot();

  // Creates whatever part of the layout is missing; never overwrites a file.
  // On failure returns false and says what failed in *error (when given).
  bool Create(std::string* error = nullptr) const;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path WinIni() const { return root_ / "win.ini"; }
  std::filesystem::path RegistryFile() const { return root_ / "registry.txt"; }
  std::filesystem::path DriveC() const { return root_ / "drive_c"; }
  std::filesystem::path Contacts() const { return root_ / "contacts"; }

  // The host path of a Windows path: "X:\a\b" or "X:/a/b" (any drive letter),
  // or "\a\b" on drive C:. Empty for relative paths, network paths, paths
  // with ".." or NUL characters, and names of a drive without a file.
  std::optional<std::filesystem::path> HostPath(std::string_view windowsPath) const;

 private:
  std::filesystem::path root_;
};

}  // namespace skerrow
