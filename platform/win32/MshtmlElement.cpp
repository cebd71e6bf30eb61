#include "platform/win32/MshtmlElement.h"

#include <type_traits>

#include "platform/win32/MshtmlValues.h"

namespace skerrow {

using Microsoft::WRL::ComPtr;

namespace {

// The failure of a call that returns either a bare status or a Result.
template <class Returned>
Returned FailureOf(HResult status) {
  if constexpr (std::is_same_v<Returned, HResult>) {
    return status;
  } else {
    return Returned{status, {}};
  }
}

// Calls use(face) with one of the element's faces, or answers the status of
// asking for it: QueryInterface answers E_NOINTERFACE (hr::kNoInterface)
// when the element has none, as the interface asks.
template <class Face, class Use>
auto OnFace(IHTMLElement* element, Use use) {
  using Returned = decltype(use(static_cast<Face*>(nullptr)));
  ComPtr<Face> face;
  HRESULT status = element->QueryInterface(IID_PPV_ARGS(&face));
  if (FAILED(status)) return FailureOf<Returned>(StatusOf(status));
  if (face == nullptr) return FailureOf<Returned>(hr::kNoInterface);
  return use(face.Get());
}

template <class Use>
auto OnStyle(IHTMLElement* element, Use use) {
  using Returned = decltype(use(static_cast<IHTMLStyle*>(nullptr)));
  ComPtr<IHTMLStyle> style;
  HRESULT status = element->get_style(&style);
  if (FAILED(status)) return FailureOf<Returned>(StatusOf(status));
  if (style == nullptr) return FailureOf<Returned>(hr::kFail);
  return use(style.Get());
}

template <class Read>
Result<std::int32_t> ReadLong(Read read) {
  long value = 0;
  HRESULT status = read(&value);
  if (FAILED(status)) return Fail<std::int32_t>(StatusOf(status));
  return Ok(static_cast<std::int32_t>(value));
}

}  // namespace

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
  ComPtr<IHTMLScriptElement> script;
  if (SUCCEEDED(element_.As(&script)) && script != nullptr) {
    return WriteBstr(html, [&](BSTR text) { return script->put_text(text); });
  }
  return WriteBstr(html, [&](BSTR text) { return element_->put_innerHTML(text); });
}

Result<std::u16string> MshtmlElement::StyleFontSize() {
  return OnStyle(element_.Get(), [](IHTMLStyle* style) {
    return ReadVariant([&](VARIANT* out) { return style->get_fontSize(out); });
  });
}

Result<std::u16string> MshtmlElement::StyleColor() {
  return OnStyle(element_.Get(), [](IHTMLStyle* style) {
    return ReadVariant([&](VARIANT* out) { return style->get_color(out); });
  });
}

Result<std::u16string> MshtmlElement::FontSize() {
  return OnFace<IHTMLFontElement>(element_.Get(), [](IHTMLFontElement* font) {
    return ReadVariant([&](VARIANT* out) { return font->get_size(out); });
  });
}

Result<std::u16string> MshtmlElement::FontColor() {
  return OnFace<IHTMLFontElement>(element_.Get(), [](IHTMLFontElement* font) {
    return ReadVariant([&](VARIANT* out) { return font->get_color(out); });
  });
}

Result<std::u16string> MshtmlElement::ImageSource() {
  return OnFace<IHTMLImgElement>(element_.Get(), [](IHTMLImgElement* image) {
    return ReadBstr([&](BSTR* out) { return image->get_src(out); });
  });
}

HResult MshtmlElement::SetImageSource(std::u16string_view source) {
  return OnFace<IHTMLImgElement>(element_.Get(), [&](IHTMLImgElement* image) {
    return WriteBstr(source, [&](BSTR text) { return image->put_src(text); });
  });
}

Result<std::int32_t> MshtmlElement::ImageWidth() {
  return OnFace<IHTMLImgElement>(element_.Get(), [](IHTMLImgElement* image) {
    return ReadLong([&](long* out) { return image->get_width(out); });
  });
}

HResult MshtmlElement::SetImageWidth(std::int32_t width) {
  return OnFace<IHTMLImgElement>(
      element_.Get(), [&](IHTMLImgElement* image) { return StatusOf(image->put_width(width)); });
}

Result<std::int32_t> MshtmlElement::ImageHeight() {
  return OnFace<IHTMLImgElement>(element_.Get(), [](IHTMLImgElement* image) {
    return ReadLong([&](long* out) { return image->get_height(out); });
  });
}

HResult MshtmlElement::SetImageHeight(std::int32_t height) {
  return OnFace<IHTMLImgElement>(
      element_.Get(), [&](IHTMLImgElement* image) { return StatusOf(image->put_height(height)); });
}

HResult MshtmlElement::SetImageBorder(std::int32_t border) {
  return OnFace<IHTMLImgElement>(element_.Get(), [&](IHTMLImgElement* image) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = border;
    return StatusOf(image->put_border(value));
  });
}

Result<std::u16string> MshtmlElement::LinkTarget() {
  Result<std::u16string> anchor =
      OnFace<IHTMLAnchorElement>(element_.Get(), [](IHTMLAnchorElement* link) {
        return ReadBstr([&](BSTR* out) { return link->get_href(out); });
      });
  if (anchor.status != hr::kNoInterface) return anchor;
  return OnFace<IHTMLAreaElement>(element_.Get(), [](IHTMLAreaElement* area) {
    return ReadBstr([&](BSTR* out) { return area->get_href(out); });
  });
}

}  // namespace skerrow
