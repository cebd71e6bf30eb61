// The pages collection of the client's options dialog.
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

}  // namespace skerrow::outlook
