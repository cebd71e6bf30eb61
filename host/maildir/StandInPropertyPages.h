// The options dialog's page list of a command-line run: the pages the
// add-in adds on OptionsPagesAdd are recorded, not shown.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/MailHost.h"

namespace skerrow::maildir {

struct RecordedPropertyPage {
  std::u16string progId;
  std::u16string title;
};

class StandInPropertyPages final : public PropertyPages,
                                   public std::enable_shared_from_this<StandInPropertyPages> {
 public:
  PropertyPagesPtr AsPropertyPages() override { return shared_from_this(); }

  HResult Add(const std::u16string& progId, const std::u16string& title) override {
    pages_.push_back({progId, title});
    return hr::kOk;
  }

  const std::vector<RecordedPropertyPage>& Pages() const { return pages_; }

 private:
  std::vector<RecordedPropertyPage> pages_;
};

}  // namespace skerrow::maildir
