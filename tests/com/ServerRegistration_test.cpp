// Registration of the built DLL through its exports, checked in the Wine
// prefix's registry: exactly the entries Outlook and COM need, replaced whole,
// and removed again without the keys above them.
#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <string>
#include <vector>

#include "com/Guids.h"
#include "com/RegistryScript.h"
#include "tests/com/DllUnderTest.h"
#include "tests/com/RegistryDump.h"

namespace skerrow::testing {
namespace {

using Lines = std::vector<std::wstring>;

const std::wstring kAddinKey = L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tamsquill.Skerrow";

// The expected lines in the dump's order.
Lines Sorted(Lines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::wstring Clsid(const GUID& guid) {
  return com::GuidText(guid);
}

class ServerRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dll_.loaded());
    ASSERT_EQ(dll_.UnregisterServer(), S_OK);
  }
  void TearDown() override { dll_.UnregisterServer(); }

  DllUnderTest dll_;
};

TEST_F(ServerRegistration, WritesExactlyTheEntriesOfTheAddInClass) {
  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  const std::wstring clsid = Clsid(com::kClsidSkerrow);
  EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, L"Tamsquill.Skerrow.1"),
            Sorted(Lines{L"\\", L"\\=Skerrow Class", L"CLSID\\", L"CLSID\\=" + clsid}));
  EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, L"Tamsquill.Skerrow"),
            Sorted(Lines{L"\\", L"\\=Skerrow Class", L"CLSID\\", L"CLSID\\=" + clsid, L"CurVer\\",
                         L"CurVer\\=Tamsquill.Skerrow.1"}));
  EXPECT_EQ(
      DumpRegistryKey(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid),
      Sorted(Lines{L"\\", L"\\=Skerrow Class", L"InprocServer32\\",
                   L"InprocServer32\\=" + DllPath(), L"InprocServer32\\ThreadingModel=Apartment",
                   L"ProgID\\", L"ProgID\\=Tamsquill.Skerrow.1", L"Programmable\\", L"TypeLib\\",
                   L"TypeLib\\=" + Clsid(com::kLibId), L"VersionIndependentProgID\\",
                   L"VersionIndependentProgID\\=Tamsquill.Skerrow"}));
  EXPECT_EQ(DumpRegistryKey(HKEY_CURRENT_USER, kAddinKey),
            Sorted(Lines{L"\\", L"\\CommandLineSafe=dword:0",
                         L"\\Description=Quelbrik Outlook Skerrow 1.3.3",
                         L"\\FriendlyName=Outlook Skerrow 1.3.3", L"\\LoadBehavior=dword:3"}));
}

TEST_F(ServerRegistration, WritesTheOptionsPageAsAControl) {
  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  const std::wstring clsid = Clsid(com::kClsidPropPage);
  EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, L"Tamsquill.PropPage"),
            Sorted(Lines{L"\\", L"\\=PropPage Class", L"CLSID\\", L"CLSID\\=" + clsid, L"CurVer\\",
                         L"CurVer\\=Tamsquill.PropPage.1"}));
  EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, L"Tamsquill.PropPage.1"),
            Sorted(Lines{L"\\", L"\\=PropPage Class", L"CLSID\\", L"CLSID\\=" + clsid}));
  EXPECT_EQ(DumpRegistryKey(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid),
            Sorted(Lines{L"\\",
                         L"\\=PropPage Class",
                         L"Control\\",
                         L"InprocServer32\\",
                         L"InprocServer32\\=" + DllPath(),
                         L"InprocServer32\\ThreadingModel=Apartment",
                         L"MiscStatus\\",
                         L"MiscStatus\\1\\",
                         L"MiscStatus\\1\\=131473",
                         L"MiscStatus\\=0",
                         L"ProgID\\",
                         L"ProgID\\=Tamsquill.PropPage.1",
                         L"Programmable\\",
                         L"ToolboxBitmap32\\",
                         L"ToolboxBitmap32\\=" + DllPath() + L", 103",
                         L"TypeLib\\",
                         L"TypeLib\\=" + Clsid(com::kLibId),
                         L"Version\\",
                         L"Version\\=1.0",
                         L"VersionIndependentProgID\\",
                         L"VersionIndependentProgID\\=Tamsquill.PropPage"}));
}

TEST_F(ServerRegistration, ReplacesTheOwnedKeysWhole) {
  HKEY stale = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, (kAddinKey + L"\\Leftover").c_str(), &stale),
            ERROR_SUCCESS);
  RegCloseKey(stale);
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kAddinKey.c_str(), L"LoadBehavior", REG_SZ, L"x", 4),
            ERROR_SUCCESS);

  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  ASSERT_EQ(dll_.RegisterServer(), S_OK);

  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kAddinKey + L"\\Leftover"));
  EXPECT_EQ(DumpRegistryKey(HKEY_CURRENT_USER, kAddinKey).size(), 5u);
}

TEST_F(ServerRegistration, UnregistrationRemovesWhatItOwnsAndKeepsTheKeysAbove) {
  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  ASSERT_EQ(dll_.UnregisterServer(), S_OK);

  for (const std::wstring& key :
       {std::wstring(L"Tamsquill.Skerrow"), std::wstring(L"Tamsquill.Skerrow.1"),
        std::wstring(L"Tamsquill.PropPage"), std::wstring(L"Tamsquill.PropPage.1"),
        L"CLSID\\" + Clsid(com::kClsidSkerrow), L"CLSID\\" + Clsid(com::kClsidPropPage),
        L"TypeLib\\" + Clsid(com::kLibId)}) {
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, key)) << std::string(key.begin(), key.end());
  }
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kAddinKey));
  EXPECT_TRUE(
      RegistryKeyExists(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Outlook\\Addins"));
  EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  // Nothing left to remove is not a failure.
  EXPECT_EQ(dll_.UnregisterServer(), S_OK);
}

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { CoUninitialize(); }
};

std::wstring Documentation(ITypeInfo* info, std::wstring* name) {
  BSTR nameText = nullptr;
  BSTR docText = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &nameText, &docText, nullptr, nullptr);
  *name = nameText ? nameText : L"";
  std::wstring doc = docText ? docText : L"";
  SysFreeString(nameText);
  SysFreeString(docText);
  return doc;
}

TEST_F(ServerRegistration, RegistersTheTypeLibraryNamingBothClassesAndInterfaces) {
  ComScope com;
  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  ITypeLib* library = nullptr;
  ASSERT_EQ(LoadRegTypeLib(com::kLibId, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
  BSTR name = nullptr;
  BSTR doc = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(std::wstring(name), L"TAMSQUILLLib");
  EXPECT_EQ(std::wstring(doc), L"Tamsquill 1.0 Type Library");
  SysFreeString(name);
  SysFreeString(doc);

  const struct {
    const GUID& clsid;
    const wchar_t* className;
    const wchar_t* classDoc;
    const wchar_t* interfaceName;
    const wchar_t* interfaceDoc;
  } classes[] = {
      {com::kClsidSkerrow, L"Skerrow", L"Skerrow Class", L"ISkerrow", L"ISkerrow Interface"},
      {com::kClsidPropPage, L"PropPage", L"PropPage Class", L"IPropPage", L"IPropPage Interface"},
  };
  for (const auto& expected : classes) {
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(expected.clsid, &coclass), S_OK);
    std::wstring className;
    EXPECT_EQ(Documentation(coclass, &className), expected.classDoc);
    EXPECT_EQ(className, expected.className);
    HREFTYPE reference = 0;
    ITypeInfo* iface = nullptr;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, &iface), S_OK);
    std::wstring interfaceName;
    EXPECT_EQ(Documentation(iface, &interfaceName), expected.interfaceDoc);
    EXPECT_EQ(interfaceName, expected.interfaceName);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(iface->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    iface->ReleaseTypeAttr(attributes);
    iface->Release();
    coclass->Release();
  }
  library->Release();
}

TEST_F(ServerRegistration, BothClassesAreCreatedThroughTheRegistry) {
  ComScope com;
  ASSERT_EQ(dll_.RegisterServer(), S_OK);
  for (const GUID* clsid : {&com::kClsidSkerrow, &com::kClsidPropPage}) {
    IDispatch* object = nullptr;
    ASSERT_EQ(CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
  }
  CLSID fromProgId{};
  ASSERT_EQ(CLSIDFromProgID(L"Tamsquill.Skerrow", &fromProgId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(fromProgId, com::kClsidSkerrow));
  ASSERT_EQ(CLSIDFromProgID(L"Tamsquill.PropPage", &fromProgId), S_OK);
  EXPECT_TRUE(IsEqualCLSID(fromProgId, com::kClsidPropPage));
}

}  // namespace
}  // namespace skerrow::testing
