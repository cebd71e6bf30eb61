// A document of the Windows HTML engine: MSHTML's HTML document, made into a
// parser only. It is created with a client site that forbids every download
// and every script (MshtmlClientSite.h) before anything is loaded into it,
// and each text is parsed with IMarkupServices::ParseString into a markup
// container of its own, which is never shown. The elements handed out are
// MSHTML's elements, wrapped once each.
#pragma once

#include <windows.h>
// After <windows.h>, which the COM headers build on.
#include <mshtml.h>
#include <wrl/client.h>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/HtmlEngine.h"

namespace skerrow {

class MshtmlElement;

class MshtmlCollection final : public HtmlCollection {
 public:
  struct Entry {
    HResult status = hr::kOk;  // of fetching the element, reported by Item
    HtmlElement* element = nullptr;
  };

  Result<std::size_t> Length() override { return Ok(entries_.size()); }
  Result<HtmlElement*> Item(std::size_t index) override;

  std::vector<Entry>& entries() { return entries_; }

 private:
  std::vector<Entry> entries_;
};

class MshtmlDocument final : public HtmlDocument {
 public:
  // Creates MSHTML's document and restricts it; its status on failure.
  static Result<std::unique_ptr<HtmlDocument>> Create();

  explicit MshtmlDocument(Microsoft::WRL::ComPtr<IHTMLDocument2> document);
  ~MshtmlDocument() override;

  HResult Parse(std::u16string_view html) override;
  Result<HtmlCollection*> Collection(HtmlCollectionKind kind) override;
  Result<HtmlElement*> Body() override;

 private:
  struct KnownElement {
    Microsoft::WRL::ComPtr<IUnknown> identity;  // keeps the key's object alive
    std::unique_ptr<MshtmlElement> element;
  };

  void Forget();
  Result<HtmlElement*> ElementFor(IUnknown* object);

  Microsoft::WRL::ComPtr<IHTMLDocument2> document_;  // the restricted host document
  Microsoft::WRL::ComPtr<IHTMLDocument2> parsed_;    // the last text's container
  // By COM identity, so that an element met in several collections is one
  // HtmlElement, and their number stays that of the document's elements.
  std::unordered_map<IUnknown*, KnownElement> elements_;
  std::array<MshtmlCollection, 3> collections_;  // by kind
};

}  // namespace skerrow
