#include "platform/linux/MyHtmlDocument.h"

#include "base/Utf8.h"
#include "platform/linux/MyHtmlElement.h"
#include "platform/linux/MyHtmlPrescan.h"

namespace skerrow {

Result<HtmlElement*> MyHtmlCollection::Item(std::size_t index) {
  if (index >= elements_.size()) return Fail<HtmlElement*>(hr::kInvalidArg);
  return Ok(elements_[index]);
}

MyHtmlDocument::MyHtmlDocument(MyHtmlParser& parser) : parser_(parser) {}

MyHtmlDocument::~MyHtmlDocument() = default;

HResult MyHtmlDocument::Parse(std::u16string_view html) {
  elements_.clear();
  for (MyHtmlCollection& collection : collections_) collection.elements().clear();
  const bool tooLong = html.size() > kMyHtmlLongestText;
  if (tooLong) html = html.substr(0, kMyHtmlLongestText);
  HResult status = parser_.ParseDocument(Utf16ToUtf8(html), tree_);
  return tooLong && status == hr::kOk ? hr::kFalse : status;
}

HtmlElement* MyHtmlDocument::ElementFor(MyHtmlNodeId id) {
  if (elements_.size() <= id) elements_.resize(id + 1);
  if (!elements_[id]) elements_[id] = std::make_unique<MyHtmlElement>(*this, id);
  return elements_[id].get();
}

Result<HtmlCollection*> MyHtmlDocument::Collection(HtmlCollectionKind kind) {
  MyHtmlCollection& collection = collections_[static_cast<std::size_t>(kind)];
  std::vector<HtmlElement*>& elements = collection.elements();
  elements.clear();
  for (MyHtmlNodeId id = tree_.Root(); id != kNoHtmlNode; id = tree_.Following(id, tree_.Root())) {
    const MyHtmlNode& node = tree_[id];
    bool wanted = false;
    switch (kind) {
      case HtmlCollectionKind::All:
        wanted = node.kind == MyHtmlNodeKind::Element || node.kind == MyHtmlNodeKind::Comment ||
                 node.kind == MyHtmlNodeKind::DocumentType;
        break;
      case HtmlCollectionKind::Images:
        wanted = tree_.IsHtmlElement(id, "img");
        break;
      case HtmlCollectionKind::Links:
        wanted = (tree_.IsHtmlElement(id, "a") || tree_.IsHtmlElement(id, "area")) &&
                 tree_.FindAttribute(id, "href") != nullptr;
        break;
    }
    if (wanted) elements.push_back(ElementFor(id));
  }
  return Ok<HtmlCollection*>(&collection);
}

Result<HtmlElement*> MyHtmlDocument::Body() {
  MyHtmlNodeId body = tree_.FindElement("body");
  if (body == kNoHtmlNode) body = tree_.FindElement("frameset");
  if (body == kNoHtmlNode) return Fail<HtmlElement*>(hr::kFail);
  return Ok(ElementFor(body));
}

}  // namespace skerrow
