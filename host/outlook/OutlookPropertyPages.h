// The pages collection of the client's options dialog, and the site an
// options page is given.
#pragma once

#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

class OutlookPropertyPages : public PropertyPages, public OutlookObject {
 public:
  using Face = PropertyPages;
  OutlookPropertyPages(Microsoft::WRL::ComPtr<IDispatch> object,
                       std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"PropertyPages") {}

  // Add(Page, Title), the page given by its ProgID.
  HResult Add(const std::u16string& progId, const std::u16string& title) override {
    return Run(L"Add", Variant::Text(progId), Variant::Text(title));
  }
};

class OutlookPropertyPageSite : public PropertyPageSite, public OutlookObject {
 public:
  using Face = PropertyPageSite;
  OutlookPropertyPageSite(Microsoft::WRL::ComPtr<IDispatch> object,
                          std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), L"PropertyPageSite") {}

  HResult OnStatusChange() override { return Run(L"OnStatusChange"); }
};

}  // namespace skerrow::outlook
