#include "platform/win32/MshtmlElement.h"

#include "platform/win32/MshtmlValues.h"

namespace skerrow {

using Microsoft::WRL::ComPtr;

namespace {

// A face of the element: QueryInterface answers E_NOINTERFACE
// (hr::kNoInterface) when the element has none, as the interface asks.
template <class Face>
Result<ComPtr<Face>> FaceOf(const ComPtr<IHTMLElement>& element) {
  ComPtr<Face> face;
  HRESULT status = element.As(&face);
  if (FAILED(status)) return Fail<ComPtr<Face>>(StatusOf(status));
  if (face == nullptr) return Fail<ComPtr<Face>>(hr::kNoInterface);
  return Ok(std::move(face));
}

template <class Read>
Result<std::int32_t> ReadLong(Read read) {
  long value = 0;
  HRESULT status = read(&value);
  if (FAILED(status)) return Fail<std::int32_t>(StatusOf(status));
  return Ok(static_cast<std::int32_t>(value));
}

}  // namespace

Result<ComPtr<IHTMLStyle>> MshtmlElement::Style() {
  ComPtr<IHTMLStyle> style;
  HRESULT status = element_->get_style(&style);
  if (FAILED(status)) return Fail<ComPtr<IHTMLStyle>>(StatusOf(status));
  if (style == nullptr) return Fail<ComPtr<IHTMLStyle>>(hr::kFail);
  return Ok(std::move(style));
}

Result<ComPtr<IHTMLImgElement>> MshtmlElement::Image() {
  return FaceOf<IHTMLImgElement>(element_);
}

Result<ComPtr<IHTMLFontElement>> MshtmlElement::Font() {
  return FaceOf<IHTMLFontElement>(element_);
}

Result<std::u16string> MshtmlElement::TagName() {
  return ReadBstr([&](BSTR* out) { return element_->get_tagName(out); });
}

Result<std::u16string> MshtmlElement::InnerText() {
  return ReadBstr([&](BSTR* out) { return element_->get_innerText(out); });
}

Result<std::u16string> MshtmlElement::OuterHtml() {
  return ReadBstr([&](BSTR* out) { return element_->get_outerHTML(out); });
}

HResult MshtmlElement::SetInnerHtml(std::u16string_view html) {
  // MSHTML does not take innerHTML on a script; its text is the content,
  // taken literally, which is what the interface asks for raw text.
  Result<ComPtr<IHTMLScriptElement>> script = FaceOf<IHTMLScriptElement>(element_);
  if (script.ok()) {
    return WriteBstr(html, [&](BSTR text) { return script.value->put_text(text); });
  }
  return WriteBstr(html, [&](BSTR text) { return element_->put_innerHTML(text); });
}

Result<std::u16string> MshtmlElement::StyleFontSize() {
  Result<ComPtr<IHTMLStyle>> style = Style();
  if (!style.ok()) return Fail<std::u16string>(style.status);
  return ReadVariant([&](VARIANT* out) { return style.value->get_fontSize(out); });
}

Result<std::u16string> MshtmlElement::StyleColor() {
  Result<ComPtr<IHTMLStyle>> style = Style();
  if (!style.ok()) return Fail<std::u16string>(style.status);
  return ReadVariant([&](VARIANT* out) { return style.value->get_color(out); });
}

Result<std::u16string> MshtmlElement::FontSize() {
  Result<ComPtr<IHTMLFontElement>> font = Font();
  if (!font.ok()) return Fail<std::u16string>(font.status);
  return ReadVariant([&](VARIANT* out) { return font.value->get_size(out); });
}

Result<std::u16string> MshtmlElement::FontColor() {
  Result<ComPtr<IHTMLFontElement>> font = Font();
  if (!font.ok()) return Fail<std::u16string>(font.status);
  return ReadVariant([&](VARIANT* out) { return font.value->get_color(out); });
}

Result<std::u16string> MshtmlElement::ImageSource() {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return Fail<std::u16string>(image.status);
  return ReadBstr([&](BSTR* out) { return image.value->get_src(out); });
}

HResult MshtmlElement::SetImageSource(std::u16string_view source) {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return image.status;
  return WriteBstr(source, [&](BSTR text) { return image.value->put_src(text); });
}

Result<std::int32_t> MshtmlElement::ImageWidth() {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return Fail<std::int32_t>(image.status);
  return ReadLong([&](long* out) { return image.value->get_width(out); });
}

HResult MshtmlElement::SetImageWidth(std::int32_t width) {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return image.status;
  return StatusOf(image.value->put_width(width));
}

Result<std::int32_t> MshtmlElement::ImageHeight() {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return Fail<std::int32_t>(image.status);
  return ReadLong([&](long* out) { return image.value->get_height(out); });
}

HResult MshtmlElement::SetImageHeight(std::int32_t height) {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return image.status;
  return StatusOf(image.value->put_height(height));
}

HResult MshtmlElement::SetImageBorder(std::int32_t border) {
  Result<ComPtr<IHTMLImgElement>> image = Image();
  if (!image.ok()) return image.status;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_I4;
  value.lVal = border;
  return StatusOf(image.value->put_border(value));
}

Result<std::u16string> MshtmlElement::LinkTarget() {
  if (Result<ComPtr<IHTMLAnchorElement>> anchor = FaceOf<IHTMLAnchorElement>(element_);
      anchor.ok()) {
    return ReadBstr([&](BSTR* out) { return anchor.value->get_href(out); });
  }
  Result<ComPtr<IHTMLAreaElement>> area = FaceOf<IHTMLAreaElement>(element_);
  if (!area.ok()) return Fail<std::u16string>(area.status);
  return ReadBstr([&](BSTR* out) { return area.value->get_href(out); });
}

}  // namespace skerrow
