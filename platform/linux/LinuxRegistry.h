// The registry of a prefix: a small text file, read at every query.
//
// Format (ANSI text, one entry per line, LF or CR LF line ends):
//   ; a comment (also "#")
//   [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion]
//   ProgramFilesDir=C:\Program Files
//
// A "[ROOT\key\path]" line opens a key; the roots are HKEY_CLASSES_ROOT,
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE (or HKCR, HKCU, HKLM). Each
// "name=value" line below it is a string value: the name up to the first "=",
// the value the rest of the line as it stands (no quoting, no escapes).
// Key paths and value names are compared without regard to ASCII case, as on
// Windows; the first matching key and value win. Lines that fit neither form
// are ignored. An unreadable file holds nothing.
#pragma once

#include <filesystem>

#include "platform/Platform.h"

namespace skerrow {

class LinuxRegistry : public Registry {
 public:
  explicit LinuxRegistry(std::filesystem::path file) : file_(std::move(file)) {}

  // What a new prefix's registry holds: ProgramFilesDir = "C:\Program Files".
  static std::string_view InitialContent();

  std::optional<std::string> QueryString(RegistryRoot root, std::string_view keyPath,
                                         std::string_view valueName,
                                         std::size_t bufferSize) override;

 private:
  std::filesystem::path file_;
};

}  // namespace skerrow
