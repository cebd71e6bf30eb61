#include "tests/com/TestContainer.h"

#include "com/OutlookPageInterfaces.h"

namespace skerrow::testing {

namespace {

constexpr DISPID kOnStatusChange = 17;

}  // namespace

TestContainer::TestContainer(bool siteOnContainer) : siteOnContainer_(siteOnContainer) {
  window_ = CreateWindowExA(0, "STATIC", "Options", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            700, 560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestContainer::~TestContainer() {
  if (window_ != nullptr) DestroyWindow(window_);
}

HRESULT TestPageSite::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, com::kIidPropertyPageSite)) {
    *object = static_cast<IDispatch*>(this);
  }
  return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT TestSiteContainer::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IParseDisplayName) ||
      IsEqualIID(riid, IID_IOleContainer)) {
    *object = static_cast<IOleContainer*>(this);
  } else if (IsEqualIID(riid, com::kIidPropertyPageSite)) {
    return pageSite_.QueryInterface(riid, object);
  }
  return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT TestContainer::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(riid, com::kIidPropertyPageSite) && !siteOnContainer_) {
    return pageSite_.QueryInterface(riid, object);
  }
  return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT TestContainer::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT TestContainer::GetContainer(IOleContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = &container_;
  return S_OK;
}

HRESULT TestContainer::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT TestContainer::OnInPlaceActivate() {
  inPlaceActive_ = true;
  return S_OK;
}

HRESULT TestContainer::OnInPlaceDeactivate() {
  inPlaceActive_ = false;
  return S_OK;
}

HRESULT TestContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO) {
  if (frame != nullptr) *frame = nullptr;
  if (document != nullptr) *document = nullptr;
  const RECT area{10, 10, 670, 500};
  if (position != nullptr) *position = area;
  if (clip != nullptr) *clip = area;
  return S_OK;
}

HRESULT TestPageSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TestPageSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count == 1 && lstrcmpiW(names[0], L"OnStatusChange") == 0) {
    ids[0] = kOnStatusChange;
    return S_OK;
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT TestPageSite::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT*,
                             EXCEPINFO*, UINT*) {
  if (member != kOnStatusChange || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  ++statusChanges_;
  return S_OK;
}

}  // namespace skerrow::testing
