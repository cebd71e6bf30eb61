#include "com/OutlookPageSite.h"

namespace skerrow::com {

OutlookPageSite::OutlookPageSite(IDispatch* site) : site_(site) {
  if (site_ != nullptr) site_->AddRef();
}

OutlookPageSite::~OutlookPageSite() {
  if (site_ != nullptr) site_->Release();
}

HResult OutlookPageSite::OnStatusChange() {
  if (site_ == nullptr) return E_POINTER;
  if (onStatusChange_ == DISPID_UNKNOWN) {
    LPOLESTR name = const_cast<LPOLESTR>(L"OnStatusChange");
    const HRESULT status =
        site_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &onStatusChange_);
    if (FAILED(status)) {
      onStatusChange_ = DISPID_UNKNOWN;
      return status;
    }
  }
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  return site_->Invoke(onStatusChange_, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                       nullptr, nullptr, nullptr);
}

}  // namespace skerrow::com
