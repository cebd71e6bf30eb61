// The Maildir convention for tmp/: a file there that nobody touched for 36
// hours belongs to a delivery or a rewrite that never finished (its process
// was killed), and may be removed.
#pragma once

#include <ctime>
#include <string>

namespace skerrow::maildir {

inline constexpr std::time_t kStaleTemporaryAge = 36 * 60 * 60;

// Removes the regular files of tmpDir last changed more than
// kStaleTemporaryAge before now. Anything it cannot remove stays.
void RemoveStaleTemporaryFiles(const std::string& tmpDir, std::time_t now);

}  // namespace skerrow::maildir
