#include "host/maildir/GMimeLibrary.h"

#include <gmime/gmime.h>

#include <mutex>

namespace skerrow::maildir {

void EnsureGMimeInitialized() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

}  // namespace skerrow::maildir
