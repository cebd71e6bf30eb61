// Values crossing between the HTML document interface and MSHTML: texts as
// BSTRs and VARIANTs, statuses as HRESULTs, and the text handed to the
// parser.
#pragma once

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <oleauto.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/HResult.h"
#include "base/Result.h"

namespace skerrow {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "a BSTR holds UTF-16 code units");

struct BstrFree {
  void operator()(BSTR text) const { SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

// Null only when the allocation failed (an empty text gives an empty BSTR).
OwnedBstr ToBstr(std::u16string_view text);
// A null BSTR reads as empty; embedded NULs are kept.
std::u16string TextOfBstr(BSTR text);
// A string's text; any other type, a number included, reads as empty, as the
// analysis reads a value that is not a string.
std::u16string TextOfVariant(const VARIANT& value);

// Success statuses all become hr::kOk, which the interface reserves a
// meaning beside (hr::kFalse for a partly parsed document); failures pass
// unchanged, so that the log shows MSHTML's own code.
inline HResult StatusOf(HRESULT status) {
  return FAILED(status) ? static_cast<HResult>(status) : hr::kOk;
}

// Reads a BSTR or a VARIANT through read(out), frees it, and hands back its
// text with the call's status.
template <class Read>
Result<std::u16string> ReadBstr(Read read) {
  BSTR text = nullptr;
  HRESULT status = read(&text);
  OwnedBstr owned(text);
  if (FAILED(status)) return Fail<std::u16string>(StatusOf(status));
  return Ok(TextOfBstr(text));
}

template <class Read>
Result<std::u16string> ReadVariant(Read read) {
  VARIANT value;
  VariantInit(&value);
  HRESULT status = read(&value);
  std::u16string text = SUCCEEDED(status) ? TextOfVariant(value) : std::u16string();
  VariantClear(&value);
  if (FAILED(status)) return Fail<std::u16string>(StatusOf(status));
  return Ok(std::move(text));
}

// Writes a text through write(bstr).
template <class Write>
HResult WriteBstr(std::u16string_view text, Write write) {
  OwnedBstr value = ToBstr(text);
  if (!value) return hr::kOutOfMemory;
  return StatusOf(write(value.get()));
}

// The text as MSHTML's parser is given it.
struct MshtmlParserText {
  // NUL-terminated and free of NULs, since the parser reads up to the first
  // one: a NUL is dropped, as an HTML parser drops it from text; a lone
  // surrogate is U+FFFD.
  std::u16string text;
  // The text was longer than kHtmlLongestText and only its leading part is
  // kept.
  bool cut = false;
};
MshtmlParserText PrepareParserText(std::u16string_view html);

}  // namespace skerrow
