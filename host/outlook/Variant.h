// An owned VARIANT and the conversions between automation values and the
// mail host interface's values. A Variant clears itself (frees its BSTR,
// releases its object) when it goes, so no path through an adapter leaks.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/Result.h"

namespace skerrow::outlook {

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  Variant& operator=(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  static Variant Int(std::int32_t value);         // VT_I4, also for collection indexes
  static Variant Text(std::u16string_view text);  // VT_BSTR
  static Variant Flag(bool value);                // VT_BOOL
  static Variant Object(IDispatch* object);       // VT_DISPATCH, with its own reference
  // An optional argument left out, the way automation leaves it out:
  // VT_ERROR with DISP_E_PARAMNOTFOUND.
  static Variant Omitted();

  const VARIANT& get() const { return value_; }
  // For a callee to fill: the old value is cleared first.
  VARIANT* Receive();

 private:
  VARIANT value_;
};

std::u16string FromBstr(BSTR text);

// Reading a call's result. VT_EMPTY and VT_NULL read as the empty value;
// anything that cannot be converted fails with DISP_E_TYPEMISMATCH.
Result<std::u16string> ToText(const VARIANT& value);
Result<std::int32_t> ToInt(const VARIANT& value);
Result<double> ToDate(const VARIANT& value);
// An object, or none (Nothing) with success.
Result<Microsoft::WRL::ComPtr<IDispatch>> ToObject(const VARIANT& value);

}  // namespace skerrow::outlook
