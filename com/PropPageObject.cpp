#include "com/PropPageObject.h"

#include <olectl.h>

#include <memory>
#include <new>

#include "addin/CurrentAddIn.h"
#include "addin/Skerrow.h"
#include "com/ComModule.h"
#include "com/Guids.h"
#include "com/OutlookPageSite.h"
#include "options/DialogResources.h"
#include "options/FilterOptions.h"
#include "options/OptionsPage.h"
#include "platform/win32/Win32Platform.h"

namespace skerrow::com {

namespace {

// What the control tells its container about itself (the registry carries
// the same value under MiscStatus).
constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT |
                              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_RECOMPOSEONRESIZE |
                              OLEMISC_CANTLINKINSIDE;

template <class Call>
HRESULT Shielded(Call&& call) {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

template <class Interface>
void ReleaseAndClear(Interface*& pointer) {
  if (pointer != nullptr) {
    Interface* held = pointer;
    pointer = nullptr;
    held->Release();
  }
}

// The page's size in HIMETRIC from its dialog units, as the dialog manager
// converts them for the system font.
SIZEL DefaultExtent() {
  const DialogResource& page = OptionsPageResource();
  const LONG base = GetDialogBaseUnits();
  const int widthPixels = MulDiv(page.width, LOWORD(base), 4);
  const int heightPixels = MulDiv(page.height, HIWORD(base), 8);
  HDC screen = GetDC(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return SIZEL{MulDiv(widthPixels, 2540, dpiX > 0 ? dpiX : 96),
               MulDiv(heightPixels, 2540, dpiY > 0 ? dpiY : 96)};
}

// Outlook's site for the page: the client site itself, or else its container.
IDispatch* FindPageSite(IOleClientSite* site) {
  IDispatch* pageSite = nullptr;
  if (SUCCEEDED(site->QueryInterface(kIidPropertyPageSite, reinterpret_cast<void**>(&pageSite)))) {
    return pageSite;
  }
  IOleContainer* container = nullptr;
  if (SUCCEEDED(site->GetContainer(&container)) && container != nullptr) {
    container->QueryInterface(kIidPropertyPageSite, reinterpret_cast<void**>(&pageSite));
    container->Release();
  }
  return pageSite;
}

}  // namespace

PropPageObject::PropPageObject()
    : dispatch_(kIidIPropPage),
      platform_(std::make_unique<Win32Platform>(ModuleHandle())),
      extent_(DefaultExtent()) {
  page_ = std::make_unique<OptionsPage>(
      platform_->platform(), TheFilterOptions(),
      []() -> OptionsPageTarget* { return CurrentAddIn(); },
      [this](DialogModel& dialog) { RunRuleDialog(dialog); });
  pageDialog_ = std::make_unique<ModelDialog>(*page_);
}

PropPageObject::~PropPageObject() {
  if (window_ != nullptr) DestroyWindow(window_);
  ReleaseSites();
  ReleaseAndClear(adviseHolder_);
  ReleaseAndClear(viewSink_);
}

HRESULT PropPageObject::Create(REFIID riid, void** object) {
  PropPageObject* created = new (std::nothrow) PropPageObject();
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT status = created->QueryInterface(riid, object);
  created->Release();
  return status;
}

void* PropPageObject::Find(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, kIidIPropPage)) {
    return static_cast<IPropPage*>(this);
  }
  if (IsEqualIID(riid, kIidPropertyPage)) return static_cast<PropertyPage*>(this);
  if (IsEqualIID(riid, IID_IOleObject)) return static_cast<IOleObject*>(this);
  if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject)) {
    return static_cast<IOleInPlaceObject*>(this);
  }
  if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) {
    return static_cast<IOleInPlaceActiveObject*>(this);
  }
  if (IsEqualIID(riid, IID_IOleControl)) return static_cast<IOleControl*>(this);
  if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2)) {
    return static_cast<IViewObject2*>(this);
  }
  if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit)) {
    return static_cast<IPersistStreamInit*>(this);
  }
  return nullptr;
}

// --- IDispatch -----------------------------------------------------------

HRESULT PropPageObject::GetTypeInfoCount(UINT* count) {
  return dispatch_.GetTypeInfoCount(count);
}

HRESULT PropPageObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return dispatch_.GetTypeInfo(index, info);
}

HRESULT PropPageObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
  const struct {
    const wchar_t* name;
    DISPID id;
  } members[] = {{L"GetPageInfo", pagedispid::kGetPageInfo},
                 {L"Dirty", pagedispid::kDirty},
                 {L"Apply", pagedispid::kApply}};
  for (const auto& member : members) {
    if (count == 1 && lstrcmpiW(names[0], member.name) == 0) {
      ids[0] = member.id;
      return S_OK;
    }
  }
  return dispatch_.GetIDsOfNames(names, count, ids);
}

HRESULT PropPageObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  switch (member) {
    case pagedispid::kGetPageInfo: {
      BSTR helpFile = nullptr;
      long helpContext = 0;
      return GetPageInfo(&helpFile, &helpContext);
    }
    case pagedispid::kDirty: {
      if (result == nullptr || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
      VariantInit(result);
      result->vt = VT_BOOL;
      return get_Dirty(&result->boolVal);
    }
    case pagedispid::kApply:
      return Apply();
    default:
      return dispatch_.Invoke(static_cast<IPropPage*>(this), member, flags, params, result,
                              exception, argumentError);
  }
}

// --- PropertyPage --------------------------------------------------------

HRESULT PropPageObject::GetPageInfo(BSTR* helpFile, long* helpContext) {
  // The page opens its help itself; Outlook is given no help file of its own
  // to open (the outputs are set empty so that Outlook frees nothing).
  if (helpFile != nullptr) *helpFile = nullptr;
  if (helpContext != nullptr) *helpContext = 0;
  return Shielded([this] { return static_cast<HRESULT>(page_->GetPageInfo()); });
}

HRESULT PropPageObject::get_Dirty(VARIANT_BOOL* dirty) {
  if (dirty == nullptr) return E_POINTER;
  *dirty = page_->Dirty() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT PropPageObject::Apply() {
  return Shielded([this] { return static_cast<HRESULT>(page_->Apply()); });
}

// --- IOleObject ----------------------------------------------------------

void PropPageObject::ReleaseSites() {
  page_->SetPageSite(nullptr);
  ReleaseAndClear(inPlaceSite_);
  ReleaseAndClear(clientSite_);
}

HRESULT PropPageObject::SetClientSite(IOleClientSite* site) {
  return Shielded([&] {
    ReleaseSites();
    if (site == nullptr) return S_OK;
    site->AddRef();
    clientSite_ = site;
    if (IDispatch* pageSite = FindPageSite(site)) {
      page_->SetPageSite(std::make_shared<OutlookPageSite>(pageSite));
      pageSite->Release();
    }
    return S_OK;
  });
}

HRESULT PropPageObject::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) return E_POINTER;
  *site = clientSite_;
  if (clientSite_ != nullptr) clientSite_->AddRef();
  return S_OK;
}

HRESULT PropPageObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
  return S_OK;
}

HRESULT PropPageObject::Close(DWORD) {
  return InPlaceDeactivate();
}

HRESULT PropPageObject::SetMoniker(DWORD, IMoniker*) {
  return E_NOTIMPL;
}

HRESULT PropPageObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT PropPageObject::InitFromData(IDataObject*, BOOL, DWORD) {
  return E_NOTIMPL;
}

HRESULT PropPageObject::GetClipboardData(DWORD, IDataObject** data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT PropPageObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                               LPCRECT position) {
  return Shielded([&] {
    if (clientSite_ == nullptr && site != nullptr) SetClientSite(site);
    switch (verb) {
      case OLEIVERB_PRIMARY:
      case OLEIVERB_SHOW:
      case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(true, parent, position);
      case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace(false, parent, position);
      case OLEIVERB_HIDE:
        if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
        return S_OK;
      default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
  });
}

HRESULT PropPageObject::ActivateInPlace(bool uiActivate, HWND parent, LPCRECT position) {
  if (inPlaceSite_ == nullptr && clientSite_ != nullptr) {
    clientSite_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_));
  }
  RECT bounds = position != nullptr ? *position : RECT{0, 0, 0, 0};
  HWND parentWindow = parent;
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  if (inPlaceSite_ != nullptr) {
    if (!inPlaceActive_) {
      if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
      inPlaceSite_->OnInPlaceActivate();
      inPlaceActive_ = true;
    }
    inPlaceSite_->GetWindow(&parentWindow);
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof(frameInfo);
    inPlaceSite_->GetWindowContext(&frame, &document, &bounds, &clip, &frameInfo);
  }
  if (parentWindow == nullptr) {
    ReleaseAndClear(frame);
    ReleaseAndClear(document);
    return E_UNEXPECTED;
  }
  if (window_ == nullptr) {
    window_ = CreateDialogParamA(ModuleHandle(), MAKEINTRESOURCEA(dialogid::kOptionsPage),
                                 parentWindow, &PageProcedure, reinterpret_cast<LPARAM>(this));
  }
  if (window_ == nullptr) {
    ReleaseAndClear(frame);
    ReleaseAndClear(document);
    return HRESULT_FROM_WIN32(GetLastError());
  }
  if (bounds.right > bounds.left && bounds.bottom > bounds.top) {
    MoveWindow(window_, bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
  }
  ShowWindow(window_, SW_SHOW);
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    if (inPlaceSite_ != nullptr) inPlaceSite_->OnUIActivate();
    if (frame != nullptr)
      frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    if (document != nullptr) {
      document->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    }
    SetFocus(window_);
  }
  ReleaseAndClear(frame);
  ReleaseAndClear(document);
  if (clientSite_ != nullptr) clientSite_->ShowObject();
  return S_OK;
}

HRESULT PropPageObject::EnumVerbs(IEnumOLEVERB** verbs) {
  return OleRegEnumVerbs(kClsidPropPage, verbs);
}

HRESULT PropPageObject::Update() {
  return S_OK;
}

HRESULT PropPageObject::IsUpToDate() {
  return S_OK;
}

HRESULT PropPageObject::GetUserClassID(CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = kClsidPropPage;
  return S_OK;
}

HRESULT PropPageObject::GetUserType(DWORD form, LPOLESTR* type) {
  return OleRegGetUserType(kClsidPropPage, form, type);
}

HRESULT PropPageObject::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size == nullptr) return E_POINTER;
  extent_ = *size;
  return S_OK;
}

HRESULT PropPageObject::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size == nullptr) return E_POINTER;
  *size = extent_;
  return S_OK;
}

HRESULT PropPageObject::Advise(IAdviseSink* sink, DWORD* connection) {
  if (adviseHolder_ == nullptr) {
    const HRESULT status = CreateOleAdviseHolder(&adviseHolder_);
    if (FAILED(status)) return status;
  }
  return adviseHolder_->Advise(sink, connection);
}

HRESULT PropPageObject::Unadvise(DWORD connection) {
  if (adviseHolder_ == nullptr) return OLE_E_NOCONNECTION;
  return adviseHolder_->Unadvise(connection);
}

HRESULT PropPageObject::EnumAdvise(IEnumSTATDATA** advises) {
  if (advises == nullptr) return E_POINTER;
  *advises = nullptr;
  if (adviseHolder_ == nullptr) return S_OK;
  return adviseHolder_->EnumAdvise(advises);
}

HRESULT PropPageObject::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

HRESULT PropPageObject::SetColorScheme(LOGPALETTE*) {
  return E_NOTIMPL;
}

// --- IOleInPlaceObject, IOleInPlaceActiveObject --------------------------

HRESULT PropPageObject::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT PropPageObject::ContextSensitiveHelp(BOOL) {
  return E_NOTIMPL;
}

HRESULT PropPageObject::InPlaceDeactivate() {
  UIDeactivate();
  if (window_ != nullptr) {
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
  if (inPlaceActive_) {
    inPlaceActive_ = false;
    if (inPlaceSite_ != nullptr) inPlaceSite_->OnInPlaceDeactivate();
  }
  return S_OK;
}

HRESULT PropPageObject::UIDeactivate() {
  if (uiActive_) {
    uiActive_ = false;
    if (inPlaceSite_ != nullptr) inPlaceSite_->OnUIDeactivate(FALSE);
  }
  return S_OK;
}

HRESULT PropPageObject::SetObjectRects(LPCRECT position, LPCRECT) {
  if (position == nullptr) return E_POINTER;
  if (window_ != nullptr) {
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

HRESULT PropPageObject::ReactivateAndUndo() {
  return E_NOTIMPL;
}

HRESULT PropPageObject::TranslateAccelerator(LPMSG message) {
  // Tab, arrows and mnemonics move between the page's controls.
  if (window_ != nullptr && message != nullptr && IsDialogMessageA(window_, message)) return S_OK;
  return S_FALSE;
}

HRESULT PropPageObject::OnFrameWindowActivate(BOOL) {
  return S_OK;
}

HRESULT PropPageObject::OnDocWindowActivate(BOOL) {
  return S_OK;
}

HRESULT PropPageObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  return S_OK;
}

HRESULT PropPageObject::EnableModeless(BOOL) {
  return S_OK;
}

// --- IOleControl ---------------------------------------------------------

HRESULT PropPageObject::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->cb = sizeof(CONTROLINFO);
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT PropPageObject::OnMnemonic(MSG*) {
  return S_OK;
}

HRESULT PropPageObject::OnAmbientPropertyChange(DISPID) {
  return S_OK;
}

HRESULT PropPageObject::FreezeEvents(BOOL) {
  return S_OK;
}

// --- IViewObject2 --------------------------------------------------------

HRESULT PropPageObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawTarget,
                             LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                             ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (drawTarget == nullptr || bounds == nullptr) return E_INVALIDARG;
  // Inactive, the page shows as an empty face; its window draws the rest.
  RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
  FillRect(drawTarget, &area, GetSysColorBrush(COLOR_BTNFACE));
  return S_OK;
}

HRESULT PropPageObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                    LOGPALETTE** colours) {
  if (colours != nullptr) *colours = nullptr;
  return S_FALSE;
}

HRESULT PropPageObject::Freeze(DWORD, LONG, void*, DWORD*) {
  return E_NOTIMPL;
}

HRESULT PropPageObject::Unfreeze(DWORD) {
  return E_NOTIMPL;
}

HRESULT PropPageObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  ReleaseAndClear(viewSink_);
  if (sink != nullptr) sink->AddRef();
  viewSink_ = sink;
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

HRESULT PropPageObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = viewAspects_;
  if (flags != nullptr) *flags = viewFlags_;
  if (sink != nullptr) {
    *sink = viewSink_;
    if (viewSink_ != nullptr) viewSink_->AddRef();
  }
  return S_OK;
}

HRESULT PropPageObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// --- IPersistStreamInit --------------------------------------------------

HRESULT PropPageObject::GetClassID(CLSID* clsid) {
  return GetUserClassID(clsid);
}

HRESULT PropPageObject::IsDirty() {
  return S_FALSE;
}

HRESULT PropPageObject::Load(LPSTREAM) {
  return S_OK;
}

HRESULT PropPageObject::Save(LPSTREAM, BOOL) {
  return S_OK;
}

HRESULT PropPageObject::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

HRESULT PropPageObject::InitNew() {
  return S_OK;
}

// --- the dialogs ---------------------------------------------------------

void PropPageObject::RunRuleDialog(DialogModel& dialog) {
  ModelDialog binding(dialog);
  DialogBoxParamA(ModuleHandle(), MAKEINTRESOURCEA(dialog.Resource().id), window_, &RuleProcedure,
                  reinterpret_cast<LPARAM>(&binding));
}

INT_PTR CALLBACK PropPageObject::PageProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<PropPageObject*>(lParam);
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      self->page_->Open();
      self->pageDialog_->Show(window);
      return TRUE;
    }
    auto* self = reinterpret_cast<PropPageObject*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) != IDCANCEL) {
      // The page lives as long as Outlook's dialog shows it: it never ends.
      self->pageDialog_->OnCommand(window, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
  } catch (...) {
  }
  return FALSE;
}

INT_PTR CALLBACK PropPageObject::RuleProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      reinterpret_cast<ModelDialog*>(lParam)->Show(window);
      return TRUE;
    }
    auto* binding = reinterpret_cast<ModelDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (binding == nullptr) return FALSE;
    if (message == WM_COMMAND) {
      if (binding->OnCommand(window, LOWORD(wParam), HIWORD(wParam))) {
        EndDialog(window, LOWORD(wParam));
      }
      return TRUE;
    }
  } catch (...) {
    EndDialog(window, IDCANCEL);
  }
  return FALSE;
}

}  // namespace skerrow::com
