// An element (or comment) of an MshtmlDocument: MSHTML's element, whose
// values pass through as MSHTML gives them (tag names as it spells them,
// colours and sizes as it normalises them, links as it resolves them).
// Owned by its document.
#pragma once

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <mshtml.h>
#include <wrl/client.h>

#include "platform/HtmlEngine.h"

namespace skerrow {

class MshtmlElement final : public HtmlElement {
 public:
  explicit MshtmlElement(Microsoft::WRL::ComPtr<IHTMLElement> element)
      : element_(std::move(element)) {}

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
  Microsoft::WRL::ComPtr<IHTMLElement> element_;
};

}  // namespace skerrow
