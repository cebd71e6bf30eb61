// The profile of Windows: WIN.INI through the kernel's profile functions,
// which decide where the file lives and how it is read (quotes, blanks and
// letter case as the system handles them).
//
// Where the system's rules differ from the Linux home's, the system wins:
// GetProfileIntA also reads "0x" hexadecimal text, and an empty value reads as
// the default; a default with trailing blanks loses them.
#pragma once

#include "platform/Platform.h"

namespace skerrow {

class Win32Profile : public Profile {
 public:
  // Names are looked up, as they are written, without their surrounding
  // blanks. A section or key holding a NUL names nothing the profile can
  // hold: the default.
  std::int32_t ReadInt(std::string_view section, std::string_view key,
                       std::int32_t defaultValue) override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue, std::size_t bufferSize) override;
  // WriteProfileStringA with the names without their surrounding blanks.
  // False for entries the file could not hold (see platform/ProfileEntry.h)
  // and when the system could not write the file.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  // The entries one after another (the system writes WIN.INI a key at a
  // time), none of them when any is one the file could not hold.
  bool WriteStrings(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& entries) override;
};

}  // namespace skerrow
