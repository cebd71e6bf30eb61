#include "tests/com/DllUnderTest.h"

namespace skerrow::testing {

std::wstring DllPath() {
  const std::string unixPath = SKERROW_DLL_PATH;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

DllUnderTest::DllUnderTest() : module_(LoadLibraryW(DllPath().c_str())) {}

DllUnderTest::~DllUnderTest() {
  if (module_ != nullptr) FreeLibrary(module_);
}

HRESULT DllUnderTest::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
  using Function = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  return Export<Function>("DllGetClassObject")(clsid, iid, object);
}

HRESULT DllUnderTest::CanUnloadNow() const {
  using Function = HRESULT(STDAPICALLTYPE*)();
  return Export<Function>("DllCanUnloadNow")();
}

HRESULT DllUnderTest::RegisterServer() const {
  using Function = HRESULT(STDAPICALLTYPE*)();
  return Export<Function>("DllRegisterServer")();
}

HRESULT DllUnderTest::UnregisterServer() const {
  using Function = HRESULT(STDAPICALLTYPE*)();
  return Export<Function>("DllUnregisterServer")();
}

}  // namespace skerrow::testing
