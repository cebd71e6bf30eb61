#include "platform/win32/MshtmlClientSite.h"

#include <gtest/gtest.h>
#include <mshtmdid.h>
#include <wrl/client.h>

namespace skerrow {
namespace {

using Microsoft::WRL::ComPtr;

class MshtmlClientSiteTest : public ::testing::Test {
 protected:
  MshtmlClientSiteTest() {
    site.Attach(MshtmlClientSite::Create());
    site.As(&dispatch);
  }

  HRESULT Get(DISPID member, WORD flags, VARIANT& result) {
    DISPPARAMS none{};
    return dispatch->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &none, &result, nullptr,
                            nullptr);
  }

  ComPtr<IOleClientSite> site;
  ComPtr<IDispatch> dispatch;
};

TEST_F(MshtmlClientSiteTest,
       TheDownloadControlForbidsScriptsNetworkAndActiveContentAndAllowsNoMedia) {
  ASSERT_NE(dispatch, nullptr);
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(Get(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, result), S_OK);
  ASSERT_EQ(result.vt, VT_I4);
  const DWORD flags = static_cast<DWORD>(result.lVal);
  for (DWORD forbidden : {DLCTL_NO_SCRIPTS, DLCTL_NO_JAVA, DLCTL_NO_RUNACTIVEXCTLS,
                          DLCTL_NO_DLACTIVEXCTLS, DLCTL_NO_FRAMEDOWNLOAD, DLCTL_NO_BEHAVIORS,
                          DLCTL_NO_CLIENTPULL, DLCTL_FORCEOFFLINE, DLCTL_SILENT}) {
    EXPECT_EQ(flags & forbidden, forbidden) << std::hex << forbidden;
  }
  // These would fetch or withhold the parse itself.
  for (DWORD allowed : {DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS, DLCTL_DOWNLOADONLY}) {
    EXPECT_EQ(flags & allowed, 0u) << std::hex << allowed;
  }
}

TEST_F(MshtmlClientSiteTest, OtherAmbientPropertiesAreLeftToMshtml) {
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(Get(DISPID_AMBIENT_USERAGENT, DISPATCH_PROPERTYGET, result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Get(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYPUT, result), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(result.vt, VT_EMPTY);
}

TEST_F(MshtmlClientSiteTest, BothFacesShareOneIdentityAndNoOtherIsOffered) {
  ComPtr<IUnknown> fromSite;
  ComPtr<IUnknown> fromDispatch;
  ASSERT_EQ(site.As(&fromSite), S_OK);
  ASSERT_EQ(dispatch.As(&fromDispatch), S_OK);
  EXPECT_EQ(fromSite.Get(), fromDispatch.Get());
  ComPtr<IOleContainer> container;
  EXPECT_EQ(site.As(&container), E_NOINTERFACE);
  EXPECT_EQ(container, nullptr);
}

}  // namespace
}  // namespace skerrow
