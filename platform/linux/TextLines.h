// Small helpers for the line-oriented text files of the prefix (the profile
// and the registry): reading a whole file, splitting lines, trimming blanks,
// comparing without regard to ASCII case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/AsciiText.h"

namespace skerrow::textlines {

// The whole file, or empty when it cannot be read (missing, a folder, no rights).
std::optional<std::string> ReadFile(const std::filesystem::path& file);

// The lines of text without their LF or CR LF ends; a last line without an
// end counts as a line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Without leading and trailing blanks (space, tab).
std::string_view Trim(std::string_view text);

using ascii::EqualsNoCase;

}  // namespace skerrow::textlines
