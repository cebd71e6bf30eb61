// The registry entries of the add-in's two COM classes, one table each, and
// the Outlook add-in key that makes Outlook load the add-in at its start.
#pragma once

#include "com/RegistryScript.h"

namespace skerrow::com {

// Tamsquill.Skerrow: ProgIDs, CLSID and the current user's Outlook add-in key.
const RegistryScript& SkerrowRegistryScript();
// Tamsquill.PropPage: ProgIDs and CLSID, marked as a control.
const RegistryScript& PropPageRegistryScript();

// Under HKEY_CURRENT_USER; kept at unregistration, like every key above it.
inline constexpr const wchar_t* kOutlookAddinsKey = L"Software\\Microsoft\\Office\\Outlook\\Addins";

}  // namespace skerrow::com
