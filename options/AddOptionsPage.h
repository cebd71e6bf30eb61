// The mail client's OptionsPagesAdd event: puts the options page on its
// Options dialog by ProgID and title.
#pragma once

#include <cstdint>

#include "host/MailHost.h"

namespace skerrow {

class ErrorLog;

inline constexpr const char16_t* kOptionsPageProgId = u"Tamsquill.PropPage";
inline constexpr const char16_t* kOptionsPageTitle = u"Skerrow";
inline constexpr std::int32_t kAddOptionsPagePlace = 201901;

// pages: the event's argument, the PropertyPages collection. The outcome goes
// to the log at its place; an argument without the collection is logged as
// missing there.
void AddOptionsPage(const DispatchPtr& pages, const ErrorLog& log);

}  // namespace skerrow
