#include "com/TypeInfoDispatch.h"

#include <oleauto.h>

#include <string>

#include "com/ComModule.h"

namespace skerrow::com {

TypeInfoDispatch::~TypeInfoDispatch() {
  if (info_ != nullptr) info_->Release();
}

HRESULT TypeInfoDispatch::Load() {
  if (info_ != nullptr) return S_OK;
  const std::wstring path = ModulePath();
  if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
  ITypeLib* library = nullptr;
  HRESULT status = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (FAILED(status)) return status;
  status = library->GetTypeInfoOfGuid(iid_, &info_);
  library->Release();
  return status;
}

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  const HRESULT status = Load();
  if (FAILED(status)) return status;
  info_->AddRef();
  *info = info_;
  return S_OK;
}

HRESULT TypeInfoDispatch::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
  const HRESULT status = Load();
  if (FAILED(status)) return status;
  return DispGetIDsOfNames(info_, names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* instance, DISPID member, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  const HRESULT status = Load();
  if (FAILED(status)) return status;
  return DispInvoke(instance, info_, member, flags, params, result, exception, argumentError);
}

}  // namespace skerrow::com
