// The 79 tag names the HTML rules take as known; every other element counts
// toward the unknown-tag share.
#pragma once

#include <string_view>

namespace skerrow {

// Exact, case-sensitive lookup ("DIV" is known, "div" is not). The table is
// built on the first call and kept for the life of the process.
bool isKnownTag(std::string_view name);

}  // namespace skerrow
