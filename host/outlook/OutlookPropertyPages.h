// The pages collection of the client's options dialog, and the site an
// options page is given.
#pragma once

#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

class OutlookPropertyPages : public OutlookAdapter<PropertyPages> {
 public:
  using OutlookAdapter::OutlookAdapter;
  // Add(Page, Title), the page given by its ProgID.
  HResult Add(const std::u16string& progId, const std::u16string& title) override {
    return Run(L"Add", Variant::Text(progId), Variant::Text(title));
  }
};

class OutlookPropertyPageSite : public OutlookAdapter<PropertyPageSite> {
 public:
  using OutlookAdapter::OutlookAdapter;
  HResult OnStatusChange() override { return Run(L"OnStatusChange"); }
};

}  // namespace skerrow::outlook
