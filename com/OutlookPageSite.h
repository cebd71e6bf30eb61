// The page site that Outlook's Options dialog gives its pages, as the mail
// host interface's PropertyPageSite: OnStatusChange called by name through
// IDispatch, so that it works whatever the member's place in Outlook's
// interface. Holds a reference to the site.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include "host/MailHost.h"

namespace skerrow::com {

class OutlookPageSite final : public PropertyPageSite {
 public:
  explicit OutlookPageSite(IDispatch* site);
  ~OutlookPageSite() override;
  OutlookPageSite(const OutlookPageSite&) = delete;
  OutlookPageSite& operator=(const OutlookPageSite&) = delete;

  HResult OnStatusChange() override;

 private:
  IDispatch* site_;
  DISPID onStatusChange_ = DISPID_UNKNOWN;
};

}  // namespace skerrow::com
