#include "tests/outlookfacade/FacadeObject.h"

#include <oleauto.h>
#include <olectl.h>

#include <cwctype>
#include <string_view>

#include "tests/outlookfacade/FacadeConnectionPoint.h"
#include "tests/outlookfacade/FacadeMembers.h"

namespace skerrow::facade {

namespace {

// The interface ids of the faces, as the client's type libraries publish
// them, kept apart from the adapters' own constants on purpose.
struct FaceId {
  const wchar_t* iid;
  bool (*has)(Dispatch&);
};
const FaceId kFaces[] = {
    {L"{00063001-0000-0000-C000-000000000046}", [](Dispatch& d) { return !!d.AsApplication(); }},
    {L"{00063034-0000-0000-C000-000000000046}", [](Dispatch& d) { return !!d.AsMailItem(); }},
    {L"{00063035-0000-0000-C000-000000000046}", [](Dispatch& d) { return !!d.AsTaskItem(); }},
    {L"{00063006-0000-0000-C000-000000000046}", [](Dispatch& d) { return !!d.AsFolder(); }},
    {L"{000C030E-0000-0000-C000-000000000046}",
     [](Dispatch& d) { return !!d.AsCommandBarButton(); }},
    {L"{000C030A-0000-0000-C000-000000000046}",
     [](Dispatch& d) { return !!d.AsCommandBarPopup(); }},
    {L"{00063080-0000-0000-C000-000000000046}", [](Dispatch& d) { return !!d.AsPropertyPages(); }},
};

bool HasFace(Dispatch& target, REFIID iid) {
  for (const FaceId& face : kFaces) {
    IID id{};
    if (SUCCEEDED(IIDFromString(face.iid, &id)) && id == iid) return face.has(target);
  }
  return false;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

}  // namespace

Microsoft::WRL::ComPtr<IDispatch> FacadeObject::Make(const DispatchPtr& target,
                                                     const std::shared_ptr<FacadeState>& state) {
  Microsoft::WRL::ComPtr<IDispatch> object;
  // Takes over the first reference (the toolchain's ComPtr::Attach adds one).
  if (target) *object.GetAddressOf() = new FacadeObject(target, TypeOf(*target), state);
  return object;
}

FacadeObject::FacadeObject(DispatchPtr target, const FacadeType& type,
                           std::shared_ptr<FacadeState> state)
    : target_(std::move(target)), type_(type), state_(std::move(state)) {
  state_->live.insert(this);
}

FacadeObject::~FacadeObject() {
  state_->live.erase(this);
}

void* FacadeObject::Find(REFIID iid) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || HasFace(*target_, iid)) {
    return static_cast<IDispatch*>(this);
  }
  if (iid == IID_IConnectionPointContainer && type_.events) {
    return static_cast<IConnectionPointContainer*>(this);
  }
  return nullptr;
}

HRESULT FacadeObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr || count == 0) return E_POINTER;
  ++state_->nameLookups;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < type_.members.size(); ++i) {
    if (SameName(type_.members[i].name, names[0])) {
      ids[0] = type_.firstId + static_cast<DISPID>(i);
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // no named arguments here
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT FacadeObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  const Member* member = type_.Find(id);
  if (member == nullptr || params == nullptr) return DISP_E_MEMBERNOTFOUND;
  if (result != nullptr) VariantInit(result);
  const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
  const Handler& handler = put ? member->write : member->read;
  if (!handler || (!put && (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0)) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (put && (params->cNamedArgs != 1 || params->rgdispidNamedArgs == nullptr ||
              params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
    return DISP_E_PARAMNOTOPTIONAL;
  }
  if (!put && params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  const char written[] = {member->written, '\0'};
  if (HRESULT status =
          CheckArguments(put ? written : member->arguments, *params, *state_, argumentError);
      FAILED(status)) {
    return status;
  }
  FacadeCall call(*params, result, state_);
  const HRESULT status = handler(*target_, call);
  if (FAILED(status) && exception != nullptr) {
    *exception = EXCEPINFO{};
    exception->bstrSource = SysAllocString(L"Outlook");
    exception->bstrDescription = SysAllocString(L"The operation failed.");
    exception->scode = status;
    return DISP_E_EXCEPTION;
  }
  return status;
}

HRESULT FacadeObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT FacadeObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  IID source{};
  if (!type_.events) return CONNECT_E_NOCONNECTION;
  const char* text = EventInterfaceId(*type_.events);
  const std::wstring wide(text, text + std::char_traits<char>::length(text));
  if (FAILED(IIDFromString(wide.c_str(), &source)) || source != iid) {
    return CONNECT_E_NOCONNECTION;
  }
  *point = new FacadeConnectionPoint(this, *type_.events, iid, state_);
  return S_OK;
}

}  // namespace skerrow::facade
