// The COM server's objects through the DLL's own exports, without the
// registry: class factories, reference counts, COM identity, the add-in
// interface's answers and when the module may be unloaded.
#include <gtest/gtest.h>

#include "com/AddInInterfaces.h"
#include "com/Guids.h"
#include "tests/com/DllUnderTest.h"

namespace skerrow::testing {
namespace {

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(dll_.loaded());
  }
  void TearDown() override { CoUninitialize(); }

  IClassFactory* Factory(const GUID& clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(dll_.GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
  }

  DllUnderTest dll_;
};

TEST_F(ComServer, AnUnknownClassIsNotAvailable) {
  const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(dll_.GetClassObject(unknown, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
}

TEST_F(ComServer, AFactoryRefusesAggregationAndUnknownInterfacesWithoutLeaking) {
  IClassFactory* factory = Factory(com::kClsidSkerrow);
  ASSERT_NE(factory, nullptr);
  IUnknown* outer = factory;
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(factory->CreateInstance(nullptr, unknown, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  factory->Release();
  EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
}

TEST_F(ComServer, CannotUnloadWhileAnObjectLivesOrTheServerIsLocked) {
  EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
  IClassFactory* factory = Factory(com::kClsidPropPage);
  ASSERT_NE(factory, nullptr);
  IDispatch* page = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&page)), S_OK);
  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  factory->Release();
  EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE);
  page->Release();
  EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE);  // the lock still holds it

  factory = Factory(com::kClsidPropPage);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
}

TEST_F(ComServer, TheAddInHasOneIdentityAndCountsItsReferences) {
  IClassFactory* factory = Factory(com::kClsidSkerrow);
  ASSERT_NE(factory, nullptr);
  com::IDTExtensibility2* extensibility = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::kIidIDTExtensibility2,
                                    reinterpret_cast<void**>(&extensibility)),
            S_OK);
  factory->Release();

  IUnknown* fromExtensibility = nullptr;
  ASSERT_EQ(
      extensibility->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromExtensibility)),
      S_OK);
  IDispatch* own = nullptr;
  ASSERT_EQ(extensibility->QueryInterface(com::kIidISkerrow, reinterpret_cast<void**>(&own)), S_OK);
  IUnknown* fromOwn = nullptr;
  ASSERT_EQ(own->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromOwn)), S_OK);
  EXPECT_EQ(fromExtensibility, fromOwn);

  EXPECT_EQ(fromOwn->Release(), 3u);
  EXPECT_EQ(fromExtensibility->Release(), 2u);
  EXPECT_EQ(own->Release(), 1u);
  EXPECT_EQ(dll_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(extensibility->Release(), 0u);
  EXPECT_EQ(dll_.CanUnloadNow(), S_OK);
}

TEST_F(ComServer, TheAddInAnswersTheOfficeInterfaceAsOutlookExpects) {
  IClassFactory* factory = Factory(com::kClsidSkerrow);
  ASSERT_NE(factory, nullptr);
  com::IDTExtensibility2* addIn = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::kIidIDTExtensibility2,
                                    reinterpret_cast<void**>(&addIn)),
            S_OK);
  factory->Release();
  SAFEARRAY* custom = nullptr;
  EXPECT_EQ(addIn->OnAddInsUpdate(&custom), E_NOTIMPL);
  EXPECT_EQ(addIn->OnStartupComplete(&custom), E_NOTIMPL);
  EXPECT_EQ(addIn->OnBeginShutdown(&custom), E_NOTIMPL);
  // Without an application the connection stops early, and still succeeds.
  EXPECT_EQ(addIn->OnConnection(nullptr, com::kConnectStartup, nullptr, &custom), S_OK);
  EXPECT_EQ(addIn->OnDisconnection(com::kDisconnectHostShutdown, &custom), S_OK);
  addIn->Release();
}

TEST_F(ComServer, TheTypeInformationOfTheOwnInterfaceComesFromTheDll) {
  IClassFactory* factory = Factory(com::kClsidSkerrow);
  ASSERT_NE(factory, nullptr);
  IDispatch* addIn = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&addIn)),
            S_OK);
  factory->Release();
  UINT count = 0;
  EXPECT_EQ(addIn->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* info = nullptr;
  ASSERT_EQ(addIn->GetTypeInfo(0, LOCALE_NEUTRAL, &info), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, com::kIidISkerrow));
  info->ReleaseTypeAttr(attributes);
  info->Release();
  LPOLESTR name = const_cast<LPOLESTR>(L"NoSuchMember");
  DISPID id = 0;
  EXPECT_EQ(addIn->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_NEUTRAL, &id), DISP_E_UNKNOWNNAME);
  addIn->Release();
}

}  // namespace
}  // namespace skerrow::testing
