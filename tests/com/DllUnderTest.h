// The built Tamsquill.DLL as the test programs under Wine reach it: its
// Windows path, and the module loaded with its four entry points.
#pragma once

#include <windows.h>

#include <string>

namespace skerrow::testing {

// The DLL's path as Wine sees it (the build folder through drive Z:).
std::wstring DllPath();

// Loads the DLL for the test's life and resolves its exports.
class DllUnderTest {
 public:
  DllUnderTest();
  ~DllUnderTest();
  DllUnderTest(const DllUnderTest&) = delete;
  DllUnderTest& operator=(const DllUnderTest&) = delete;

  bool loaded() const { return module_ != nullptr; }
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;
  HRESULT CanUnloadNow() const;
  HRESULT RegisterServer() const;
  HRESULT UnregisterServer() const;

 private:
  template <class Function>
  Function Export(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  HMODULE module_ = nullptr;
};

}  // namespace skerrow::testing
