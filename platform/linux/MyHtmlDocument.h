// A parsed HTML document of the Linux engine: the tree, the element handles
// handed out for it and the collections. Uses the engine's parser, so it must
// not outlive the engine that created it.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/HtmlEngine.h"
#include "platform/linux/MyHtmlParser.h"
#include "platform/linux/MyHtmlTree.h"

namespace skerrow {

class MyHtmlElement;

class MyHtmlCollection : public HtmlCollection {
 public:
  Result<std::size_t> Length() override { return Ok(elements_.size()); }
  Result<HtmlElement*> Item(std::size_t index) override;

  std::vector<HtmlElement*>& elements() { return elements_; }

 private:
  std::vector<HtmlElement*> elements_;
};

class MyHtmlDocument : public HtmlDocument {
 public:
  explicit MyHtmlDocument(MyHtmlParser& parser);
  ~MyHtmlDocument() override;

  HResult Parse(std::u16string_view html) override;
  Result<HtmlCollection*> Collection(HtmlCollectionKind kind) override;
  Result<HtmlElement*> Body() override;

  MyHtmlTree& tree() { return tree_; }
  MyHtmlParser& parser() { return parser_; }

 private:
  HtmlElement* ElementFor(MyHtmlNodeId id);

  MyHtmlParser& parser_;
  MyHtmlTree tree_;
  std::vector<std::unique_ptr<MyHtmlElement>> elements_;  // by node id, made on demand
  std::array<MyHtmlCollection, 3> collections_;           // by kind
};

}  // namespace skerrow
