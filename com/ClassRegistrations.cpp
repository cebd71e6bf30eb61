#include "com/ClassRegistrations.h"

namespace skerrow::com {

namespace {

using Kind = RegistryEntry::Kind;
constexpr RegistryHive kRoot = RegistryHive::ClassesRoot;
constexpr RegistryHive kUser = RegistryHive::CurrentUser;

constexpr OwnedRegistryKey kSkerrowOwned[] = {
    {kRoot, L"Tamsquill.Skerrow.1"},
    {kRoot, L"Tamsquill.Skerrow"},
    {kRoot, L"CLSID\\%CLSID%"},
    {kUser, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow"},
};

constexpr RegistryEntry kSkerrowEntries[] = {
    {kRoot, L"Tamsquill.Skerrow.1", nullptr, Kind::String, L"Skerrow Class"},
    {kRoot, L"Tamsquill.Skerrow.1\\CLSID", nullptr, Kind::String, L"%CLSID%"},
    {kRoot, L"Tamsquill.Skerrow", nullptr, Kind::String, L"Skerrow Class"},
    {kRoot, L"Tamsquill.Skerrow\\CLSID", nullptr, Kind::String, L"%CLSID%"},
    {kRoot, L"Tamsquill.Skerrow\\CurVer", nullptr, Kind::String, L"Tamsquill.Skerrow.1"},
    {kRoot, L"CLSID\\%CLSID%", nullptr, Kind::String, L"Skerrow Class"},
    {kRoot, L"CLSID\\%CLSID%\\ProgID", nullptr, Kind::String, L"Tamsquill.Skerrow.1"},
    {kRoot, L"CLSID\\%CLSID%\\VersionIndependentProgID", nullptr, Kind::String,
     L"Tamsquill.Skerrow"},
    {kRoot, L"CLSID\\%CLSID%\\Programmable", nullptr, Kind::Key},
    {kRoot, L"CLSID\\%CLSID%\\InprocServer32", nullptr, Kind::String, L"%MODULE%"},
    {kRoot, L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", Kind::String, L"Apartment"},
    {kRoot, L"CLSID\\%CLSID%\\TypeLib", nullptr, Kind::String, L"%LIBID%"},
    // Outlook loads the add-in at its start (3: load at start-up, loaded now).
    {kUser, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow", L"FriendlyName",
     Kind::String, L"Outlook Skerrow 1.3.3"},
    {kUser, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow", L"Description",
     Kind::String, L"Quelbrik Outlook Skerrow 1.3.3"},
    {kUser, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow", L"LoadBehavior",
     Kind::Dword, nullptr, 3},
    {kUser, L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow", L"CommandLineSafe",
     Kind::Dword, nullptr, 0},
};

constexpr OwnedRegistryKey kPropPageOwned[] = {
    {kRoot, L"Tamsquill.PropPage.1"},
    {kRoot, L"Tamsquill.PropPage"},
    {kRoot, L"CLSID\\%CLSID%"},
};

constexpr RegistryEntry kPropPageEntries[] = {
    {kRoot, L"Tamsquill.PropPage.1", nullptr, Kind::String, L"PropPage Class"},
    {kRoot, L"Tamsquill.PropPage.1\\CLSID", nullptr, Kind::String, L"%CLSID%"},
    {kRoot, L"Tamsquill.PropPage", nullptr, Kind::String, L"PropPage Class"},
    {kRoot, L"Tamsquill.PropPage\\CLSID", nullptr, Kind::String, L"%CLSID%"},
    {kRoot, L"Tamsquill.PropPage\\CurVer", nullptr, Kind::String, L"Tamsquill.PropPage.1"},
    {kRoot, L"CLSID\\%CLSID%", nullptr, Kind::String, L"PropPage Class"},
    {kRoot, L"CLSID\\%CLSID%\\ProgID", nullptr, Kind::String, L"Tamsquill.PropPage.1"},
    {kRoot, L"CLSID\\%CLSID%\\VersionIndependentProgID", nullptr, Kind::String,
     L"Tamsquill.PropPage"},
    {kRoot, L"CLSID\\%CLSID%\\Programmable", nullptr, Kind::Key},
    {kRoot, L"CLSID\\%CLSID%\\InprocServer32", nullptr, Kind::String, L"%MODULE%"},
    {kRoot, L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", Kind::String, L"Apartment"},
    {kRoot, L"CLSID\\%CLSID%\\Control", nullptr, Kind::Key},
    {kRoot, L"CLSID\\%CLSID%\\ToolboxBitmap32", nullptr, Kind::String, L"%MODULE%, 103"},
    // OLEMISC_SETCLIENTSITEFIRST | INSIDEOUT | ACTIVATEWHENVISIBLE |
    // RECOMPOSEONRESIZE | CANTLINKINSIDE (131473) for the content aspect.
    {kRoot, L"CLSID\\%CLSID%\\MiscStatus", nullptr, Kind::String, L"0"},
    {kRoot, L"CLSID\\%CLSID%\\MiscStatus\\1", nullptr, Kind::String, L"131473"},
    {kRoot, L"CLSID\\%CLSID%\\TypeLib", nullptr, Kind::String, L"%LIBID%"},
    {kRoot, L"CLSID\\%CLSID%\\Version", nullptr, Kind::String, L"1.0"},
};

}  // namespace

const RegistryScript& SkerrowRegistryScript() {
  static const RegistryScript script{kSkerrowOwned, kSkerrowEntries};
  return script;
}

const RegistryScript& PropPageRegistryScript() {
  static const RegistryScript script{kPropPageOwned, kPropPageEntries};
  return script;
}

}  // namespace skerrow::com
