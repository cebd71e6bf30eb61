#include "platform/linux/MyHtmlElement.h"

#include <limits>
#include <string>

#include "base/Utf8.h"
#include "platform/linux/MyHtmlDocument.h"
#include "platform/linux/MyHtmlSerializer.h"
#include "platform/linux/MyHtmlStyle.h"
#include "platform/linux/MyHtmlTextRenderer.h"

namespace skerrow {

namespace {

std::u16string UpperAscii(std::string_view utf8) {
  std::u16string name = Utf8ToUtf16(utf8);
  for (char16_t& c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return name;
}

// The rules for non-negative integers: blanks, then digits; 0 without any.
std::int32_t LeadingDimension(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\f')) {
    ++i;
  }
  if (i < text.size() && text[i] == '+') ++i;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) {
      return std::numeric_limits<std::int32_t>::max();
    }
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

bool MyHtmlElement::Is(std::string_view name) const {
  return document_.tree().IsHtmlElement(node_, name);
}

Result<std::u16string> MyHtmlElement::TagName() {
  const MyHtmlNode& node = document_.tree()[node_];
  if (node.kind != MyHtmlNodeKind::Element) return Ok(std::u16string(u"!"));
  return Ok(UpperAscii(node.name));
}

Result<std::u16string> MyHtmlElement::InnerText() {
  if (document_.tree()[node_].kind != MyHtmlNodeKind::Element) return Ok(std::u16string());
  return Ok(Utf8ToUtf16(RenderText(document_.tree(), node_)));
}

Result<std::u16string> MyHtmlElement::OuterHtml() {
  return Ok(Utf8ToUtf16(SerializeHtml(document_.tree(), node_)));
}

HResult MyHtmlElement::SetInnerHtml(std::u16string_view html) {
  MyHtmlTree& tree = document_.tree();
  if (tree[node_].kind != MyHtmlNodeKind::Element) return hr::kFail;
  tree.RemoveChildren(node_);
  std::string utf8 = Utf16ToUtf8(html);
  if (IsRawTextElement(tree, node_) || Is("textarea") || Is("title")) {
    MyHtmlNode text;
    text.kind = MyHtmlNodeKind::Text;
    text.data = std::move(utf8);
    if (!text.data.empty()) tree.Append(node_, std::move(text));
    return hr::kOk;
  }
  return document_.parser().ParseFragment(utf8, tree, node_);
}

Result<std::u16string> MyHtmlElement::Attribute(std::string_view name, bool applies) const {
  if (!applies) return Fail<std::u16string>(hr::kNoInterface);
  const std::string* value = document_.tree().FindAttribute(node_, name);
  return Ok(value == nullptr ? std::u16string() : Utf8ToUtf16(*value));
}

Result<std::int32_t> MyHtmlElement::Dimension(std::string_view name) const {
  if (!Is("img")) return Fail<std::int32_t>(hr::kNoInterface);
  const std::string* value = document_.tree().FindAttribute(node_, name);
  return Ok(value == nullptr ? 0 : LeadingDimension(*value));
}

HResult MyHtmlElement::SetAttribute(std::string_view name, std::string value, bool applies) {
  if (!applies) return hr::kNoInterface;
  document_.tree().SetAttribute(node_, name, std::move(value));
  return hr::kOk;
}

Result<std::u16string> MyHtmlElement::StyleFontSize() {
  bool element = document_.tree()[node_].kind == MyHtmlNodeKind::Element;
  Result<std::u16string> style = Attribute("style", element);
  if (!style.ok()) return style;
  return Ok(Utf8ToUtf16(skerrow::StyleFontSize(Utf16ToUtf8(style.value))));
}

Result<std::u16string> MyHtmlElement::StyleColor() {
  bool element = document_.tree()[node_].kind == MyHtmlNodeKind::Element;
  Result<std::u16string> style = Attribute("style", element);
  if (!style.ok()) return style;
  return Ok(Utf8ToUtf16(skerrow::StyleColor(Utf16ToUtf8(style.value))));
}

Result<std::u16string> MyHtmlElement::FontSize() {
  return Attribute("size", Is("font"));
}
Result<std::u16string> MyHtmlElement::FontColor() {
  return Attribute("color", Is("font"));
}

Result<std::u16string> MyHtmlElement::ImageSource() {
  return Attribute("src", Is("img"));
}

HResult MyHtmlElement::SetImageSource(std::u16string_view source) {
  return SetAttribute("src", Utf16ToUtf8(source), Is("img"));
}

Result<std::int32_t> MyHtmlElement::ImageWidth() {
  return Dimension("width");
}
Result<std::int32_t> MyHtmlElement::ImageHeight() {
  return Dimension("height");
}

HResult MyHtmlElement::SetImageWidth(std::int32_t width) {
  return SetAttribute("width", std::to_string(width), Is("img"));
}

HResult MyHtmlElement::SetImageHeight(std::int32_t height) {
  return SetAttribute("height", std::to_string(height), Is("img"));
}

HResult MyHtmlElement::SetImageBorder(std::int32_t border) {
  return SetAttribute("border", std::to_string(border), Is("img"));
}

Result<std::u16string> MyHtmlElement::LinkTarget() {
  return Attribute("href", Is("a") || Is("area"));
}

}  // namespace skerrow
