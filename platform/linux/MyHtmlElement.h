// An element (or comment) of a MyHtmlDocument, as the HTML engine hands it
// out. Owned by its document.
#pragma once

#include "platform/HtmlEngine.h"
#include "platform/linux/MyHtmlTree.h"

namespace skerrow {

class MyHtmlDocument;

class MyHtmlElement : public HtmlElement {
 public:
  MyHtmlElement(MyHtmlDocument& document, MyHtmlNodeId node) : document_(document), node_(node) {}

  Result<std::u16string> TagName() override;
  Result<std::u16string> InnerText() override;
  Result<std::u16string> OuterHtml() override;
  HResult SetInnerHtml(std::u16string_view html) override;

  Result<std::u16string> StyleFontSize() override;
  Result<std::u16string> StyleColor() override;

  Result<std::u16string> FontSize() override;
  Result<std::u16string> FontColor() override;

  Result<std::u16string> ImageSource() override;
  HResult SetImageSource(std::u16string_view source) override;
  Result<std::int32_t> ImageWidth() override;
  HResult SetImageWidth(std::int32_t width) override;
  Result<std::int32_t> ImageHeight() override;
  HResult SetImageHeight(std::int32_t height) override;
  HResult SetImageBorder(std::int32_t border) override;

  Result<std::u16string> LinkTarget() override;

 private:
  bool Is(std::string_view name) const;
  Result<std::u16string> Attribute(std::string_view name, bool applies) const;
  Result<std::int32_t> Dimension(std::string_view name) const;
  HResult SetAttribute(std::string_view name, std::string value, bool applies);

  MyHtmlDocument& document_;
  MyHtmlNodeId node_;
};

}  // namespace skerrow
