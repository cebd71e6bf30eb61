#include "host/maildir/StoreLayout.h"

#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MaildirPlusPlusLayout.h"
#include "host/maildir/NestedLayout.h"

namespace skerrow::maildir {

std::unique_ptr<StoreLayout> StoreLayout::Detect(const std::string& storeDir) {
  if (MaildirFiles::IsDirectory(storeDir + "/cur") &&
      !MaildirFiles::IsDirectory(storeDir + "/" + kInboxName)) {
    return std::make_unique<MaildirPlusPlusLayout>(storeDir);
  }
  return std::make_unique<NestedLayout>(storeDir);
}

}  // namespace skerrow::maildir
