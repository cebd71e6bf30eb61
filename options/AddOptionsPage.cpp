#include "options/AddOptionsPage.h"

#include "base/ErrorLog.h"

namespace skerrow {

void AddOptionsPage(const DispatchPtr& pages, const ErrorLog& log) {
  PropertyPagesPtr collection = pages != nullptr ? pages->AsPropertyPages() : nullptr;
  if (collection == nullptr) {
    log.LogFailure(hr::kMissing, kAddOptionsPagePlace);
    return;
  }
  log.LogFailure(collection->Add(kOptionsPageProgId, kOptionsPageTitle), kAddOptionsPagePlace);
}

}  // namespace skerrow
