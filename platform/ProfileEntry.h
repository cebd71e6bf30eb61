// What a profile file can hold. WIN.INI and the Linux home's win.ini are text
// files of "[section]" lines and "key=value" lines: a line break or NUL in any
// part, a "]" in a section name, or a key that holds "=" or starts a section
// or a comment would break the file apart into other sections and keys when
// written (a value "x\nbShowToolbar=0" would set a second key). Every home
// refuses to write such entries.
#pragma once

#include <string_view>

namespace skerrow {

// The name as the profile compares and writes it: without its surrounding
// blanks (space, tab).
std::string_view TrimProfileName(std::string_view name);

// Whether the entry can be written as one "key=value" line under
// "[section]"; names are judged without their surrounding blanks, which
// must leave something.
bool CanWriteProfileEntry(std::string_view section, std::string_view key, std::string_view value);

}  // namespace skerrow
