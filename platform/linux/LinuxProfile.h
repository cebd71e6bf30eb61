// The profile (WIN.INI) of a prefix, read from and written to <prefix>/win.ini
// with the Windows profile rules:
// - "[section]" lines open sections; "key=value" lines hold values. Section
//   and key names are compared without regard to ASCII case and without their
//   surrounding blanks; the first matching section and key win.
// - A value loses its surrounding blanks, and one pair of matching quotes
//   ('"' or '\'') around it.
// - Lines of any other form (comments, garbage) are never matched and are
//   kept as they are when the file is rewritten.
// A missing or unreadable win.ini holds nothing, so every read yields its
// default. Each call reads the file anew; each write rewrites it atomically,
// all the keys of one WriteStrings in one replacement.
#pragma once

#include <filesystem>

#include "platform/Platform.h"
#include "platform/linux/WriteFailures.h"

namespace skerrow {

class LinuxProfile : public Profile {
 public:
  // Failed writes go into *failures, when given.
  explicit LinuxProfile(std::filesystem::path file, WriteFailures* failures = nullptr)
      : file_(std::move(file)), failures_(failures) {}

  std::int32_t ReadInt(std::string_view section, std::string_view key,
                       std::int32_t defaultValue) override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue, std::size_t bufferSize) override;
  // Replaces the key's line, or adds it at the end of its section, or adds
  // the section at the end of the file; every other line stays as it was.
  // False when the file cannot be read or written, and for names or values
  // that the file could not hold (line breaks, NUL, "=" or "]" in names):
  // such text would otherwise break the file apart into other keys.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  // All or nothing: an entry the file could not hold writes none of them.
  bool WriteStrings(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& entries) override;

 private:
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::filesystem::path file_;
  WriteFailures* failures_;
};

}  // namespace skerrow
