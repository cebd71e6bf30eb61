#include "platform/win32/MshtmlValues.h"

#include "base/Utf8.h"
#include "platform/HtmlEngine.h"

namespace skerrow {

OwnedBstr ToBstr(std::u16string_view text) {
  return OwnedBstr(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                     static_cast<UINT>(text.size())));
}

std::u16string TextOfBstr(BSTR text) {
  if (text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::u16string TextOfVariant(const VARIANT& value) {
  if (value.vt != VT_BSTR) return {};
  return TextOfBstr(value.bstrVal);
}

MshtmlParserText PrepareParserText(std::u16string_view html) {
  MshtmlParserText prepared;
  prepared.cut = html.size() > kHtmlLongestText;
  if (prepared.cut) html = html.substr(0, kHtmlLongestText);
  prepared.text.reserve(html.size());
  for (std::size_t index = 0; index < html.size();) {
    char32_t codePoint = NextCodePoint(html, index);
    if (codePoint != 0) AppendCodePoint(prepared.text, codePoint);
  }
  return prepared;
}

}  // namespace skerrow
