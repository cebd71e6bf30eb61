#include "platform/win32/MshtmlEngine.h"

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <gtest/gtest.h>
#include <mshtml.h>
#include <objbase.h>

namespace skerrow {
namespace {

class MshtmlEngineTest : public ::testing::Test {
 protected:
  MshtmlEngineTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~MshtmlEngineTest() override { CoUninitialize(); }
};

// Where MSHTML is missing (under Wine here) this is the failure path; on
// Windows, the success path.
TEST_F(MshtmlEngineTest, ADocumentIsMadeExactlyWhenMshtmlsClassCanBeCreated) {
  IUnknown* probe = nullptr;
  const HRESULT available =
      CoCreateInstance(__uuidof(HTMLDocument), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&probe));
  if (probe != nullptr) probe->Release();
  MshtmlEngine engine;
  Result<std::unique_ptr<HtmlDocument>> created = engine.CreateDocument();
  if (FAILED(available)) {
    EXPECT_EQ(created.status, static_cast<HResult>(available));
    EXPECT_EQ(created.value, nullptr);
  } else {
    EXPECT_EQ(created.status, hr::kOk);
    EXPECT_NE(created.value, nullptr);
  }
}

}  // namespace
}  // namespace skerrow
