// GMime's process-wide set-up, done once before the first use of the library
// (parsing, charset names, dates). Safe to call from any place that is about
// to use GMime; later calls do nothing.
#pragma once

namespace skerrow::maildir {

void EnsureGMimeInitialized();

}  // namespace skerrow::maildir
