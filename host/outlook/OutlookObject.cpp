#include "host/outlook/OutlookObject.h"

#include <oleauto.h>

#include <vector>

#include "host/outlook/OutlookApplication.h"
#include "host/outlook/OutlookCommandBars.h"
#include "host/outlook/OutlookFolders.h"
#include "host/outlook/OutlookIds.h"
#include "host/outlook/OutlookMailItem.h"
#include "host/outlook/OutlookPropertyPages.h"
#include "host/outlook/OutlookSession.h"

namespace skerrow::outlook {

namespace {

// A call's status: for an automation exception the code it carries. The
// exception's texts are freed here; the caller keeps only the code.
HResult CallStatus(HRESULT status, EXCEPINFO& info) {
  const bool exception = status == DISP_E_EXCEPTION;
  if (exception && info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  if (exception && FAILED(info.scode)) return info.scode;
  return status;
}

}  // namespace

DispatchPtr WrapObject(IDispatch* object) {
  return WrapObject(object, std::make_shared<OutlookSession>());
}

DispatchPtr WrapObject(IDispatch* object, std::shared_ptr<OutlookSession> session) {
  if (object == nullptr) return nullptr;
  return std::make_shared<OutlookObject>(object, std::move(session));
}

IDispatch* InterfaceOf(const Dispatch* object) {
  const auto* adapter = dynamic_cast<const OutlookObject*>(object);
  return adapter != nullptr ? adapter->Interface() : nullptr;
}

OutlookObject::OutlookObject(Microsoft::WRL::ComPtr<IDispatch> object,
                             std::shared_ptr<OutlookSession> session, const std::type_info& type)
    : object_(std::move(object)), session_(std::move(session)), type_(type) {}

template <class Adapter>
std::shared_ptr<Adapter> OutlookObject::FaceOf(const GUID& iid) {
  Microsoft::WRL::ComPtr<IDispatch> face;
  if (FAILED(object_->QueryInterface(iid, reinterpret_cast<void**>(face.GetAddressOf()))) ||
      !face) {
    return nullptr;
  }
  return std::make_shared<Adapter>(std::move(face), session_);
}

ApplicationPtr OutlookObject::AsApplication() {
  return FaceOf<OutlookApplication>(kIidApplication);
}

MailItemPtr OutlookObject::AsMailItem() {
  return FaceOf<OutlookMailItem>(kIidMailItem);
}

TaskItemPtr OutlookObject::AsTaskItem() {
  return FaceOf<OutlookTaskItem>(kIidTaskItem);
}

FolderPtr OutlookObject::AsFolder() {
  return FaceOf<OutlookFolder>(kIidFolder);
}

CommandBarButtonPtr OutlookObject::AsCommandBarButton() {
  return FaceOf<OutlookCommandBarButton>(kIidCommandBarButton);
}

CommandBarPopupPtr OutlookObject::AsCommandBarPopup() {
  return FaceOf<OutlookCommandBarPopup>(kIidCommandBarPopup);
}

PropertyPagesPtr OutlookObject::AsPropertyPages() {
  return FaceOf<OutlookPropertyPages>(kIidPropertyPages);
}

Result<Variant> OutlookObject::Invoke(const wchar_t* name, WORD flags, Variant* args,
                                      std::size_t count) {
  const Result<DISPID> id = session_->DispatchId(*object_.Get(), type_, name);
  if (!id.ok()) return Fail<Variant>(id.status);
  // Automation takes the arguments last first. The VARIANTs stay owned by
  // `args`; the callee only reads them.
  std::vector<VARIANTARG> reversed;
  reversed.reserve(count);
  for (std::size_t i = count; i-- > 0;) reversed.push_back(args[i].get());
  DISPID propertyPut = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(count), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &propertyPut;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HResult status =
      CallStatus(object_->Invoke(id.value, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 flags == DISPATCH_PROPERTYPUT ? nullptr : result.Receive(),
                                 &exception, &argumentError),
                 exception);
  if (hr::Failed(status)) return Fail<Variant>(status);
  return Ok(std::move(result));
}

HResult OutlookObject::Write(const wchar_t* name, Variant value) {
  return Invoke(name, DISPATCH_PROPERTYPUT, &value, 1).status;
}

Result<std::u16string> OutlookObject::ReadText(const wchar_t* name) {
  Result<Variant> read = Read(name);
  if (!read.ok()) return Fail<std::u16string>(read.status);
  return ToText(read.value.get());
}

Result<std::int32_t> OutlookObject::ReadInt(const wchar_t* name) {
  Result<Variant> read = Read(name);
  if (!read.ok()) return Fail<std::int32_t>(read.status);
  return ToInt(read.value.get());
}

}  // namespace skerrow::outlook
