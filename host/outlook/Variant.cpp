#include "host/outlook/Variant.h"

#include <oleauto.h>

namespace skerrow::outlook {

namespace {

// VariantChangeType into a scratch VARIANT, so that the source stays as it is
// and the scratch one is cleared whatever happens.
HResult ChangeType(const VARIANT& value, VARTYPE type, Variant& converted) {
  // The source is only read, whatever the declaration says.
  return VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&value), 0, type);
}

bool IsEmpty(const VARIANT& value) {
  return value.vt == VT_EMPTY || value.vt == VT_NULL;
}

}  // namespace

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

Variant Variant::Int(std::int32_t value) {
  Variant result;
  result.value_.vt = VT_I4;
  result.value_.lVal = value;
  return result;
}

Variant Variant::Text(std::u16string_view text) {
  Variant result;
  // wchar_t is UTF-16 on Windows: the code units go over as they are.
  BSTR copy = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                static_cast<UINT>(text.size()));
  if (copy != nullptr) {
    result.value_.vt = VT_BSTR;
    result.value_.bstrVal = copy;
  }
  // Out of memory: an empty argument, which the callee rejects as the wrong
  // type rather than taking it for an empty text.
  return result;
}

Variant Variant::Flag(bool value) {
  Variant result;
  result.value_.vt = VT_BOOL;
  result.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return result;
}

Variant Variant::Object(IDispatch* object) {
  Variant result;
  result.value_.vt = VT_DISPATCH;
  result.value_.pdispVal = object;
  if (object != nullptr) object->AddRef();
  return result;
}

Variant Variant::Omitted() {
  Variant result;
  result.value_.vt = VT_ERROR;
  result.value_.scode = DISP_E_PARAMNOTFOUND;
  return result;
}

VARIANT* Variant::Receive() {
  VariantClear(&value_);
  return &value_;
}

std::u16string FromBstr(BSTR text) {
  if (text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

Result<std::u16string> ToText(const VARIANT& value) {
  if (value.vt == VT_BSTR) return Ok(FromBstr(value.bstrVal));
  if (IsEmpty(value)) return Ok(std::u16string());
  Variant converted;
  if (FAILED(ChangeType(value, VT_BSTR, converted))) {
    return Fail<std::u16string>(DISP_E_TYPEMISMATCH);
  }
  return Ok(FromBstr(converted.get().bstrVal));
}

Result<std::int32_t> ToInt(const VARIANT& value) {
  if (IsEmpty(value)) return Ok<std::int32_t>(0);
  Variant converted;
  if (FAILED(ChangeType(value, VT_I4, converted))) {
    return Fail<std::int32_t>(DISP_E_TYPEMISMATCH);
  }
  return Ok<std::int32_t>(converted.get().lVal);
}

Result<double> ToDate(const VARIANT& value) {
  if (IsEmpty(value)) return Ok(0.0);
  Variant converted;
  if (FAILED(ChangeType(value, VT_DATE, converted))) return Fail<double>(DISP_E_TYPEMISMATCH);
  return Ok<double>(converted.get().date);
}

Result<Microsoft::WRL::ComPtr<IDispatch>> ToObject(const VARIANT& value) {
  Microsoft::WRL::ComPtr<IDispatch> object;
  if (IsEmpty(value)) return Ok(object);
  if (value.vt == VT_DISPATCH) {
    object = value.pdispVal;
    return Ok(object);
  }
  if (value.vt == VT_UNKNOWN) {
    if (value.punkVal == nullptr) return Ok(object);
    const HRESULT status = value.punkVal->QueryInterface(IID_PPV_ARGS(&object));
    if (FAILED(status)) return Fail<Microsoft::WRL::ComPtr<IDispatch>>(status);
    return Ok(object);
  }
  return Fail<Microsoft::WRL::ComPtr<IDispatch>>(DISP_E_TYPEMISMATCH);
}

}  // namespace skerrow::outlook
