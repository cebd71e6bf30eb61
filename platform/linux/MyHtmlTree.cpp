#include "platform/linux/MyHtmlTree.h"

#include <utility>

#include "base/AsciiText.h"

namespace skerrow {

void MyHtmlTree::Clear() {
  nodes_.clear();
  MyHtmlNode document;
  document.kind = MyHtmlNodeKind::Document;
  nodes_.push_back(std::move(document));
}

MyHtmlNodeId MyHtmlTree::Append(MyHtmlNodeId parent, MyHtmlNode node) {
  MyHtmlNodeId last = nodes_[parent].lastChild;
  if (node.kind == MyHtmlNodeKind::Text && last != kNoHtmlNode &&
      nodes_[last].kind == MyHtmlNodeKind::Text) {
    nodes_[last].data += node.data;
    return last;
  }
  auto id = static_cast<MyHtmlNodeId>(nodes_.size());
  node.parent = parent;
  node.firstChild = node.lastChild = node.next = kNoHtmlNode;
  nodes_.push_back(std::move(node));
  if (last == kNoHtmlNode) {
    nodes_[parent].firstChild = id;
  } else {
    nodes_[last].next = id;
  }
  nodes_[parent].lastChild = id;
  return id;
}

void MyHtmlTree::RemoveChildren(MyHtmlNodeId parent) {
  for (MyHtmlNodeId child = nodes_[parent].firstChild; child != kNoHtmlNode;) {
    MyHtmlNodeId next = nodes_[child].next;
    nodes_[child].parent = kNoHtmlNode;
    nodes_[child].next = kNoHtmlNode;
    child = next;
  }
  nodes_[parent].firstChild = nodes_[parent].lastChild = kNoHtmlNode;
}

MyHtmlNodeId MyHtmlTree::Following(MyHtmlNodeId node, MyHtmlNodeId scope, bool skipChildren) const {
  if (!skipChildren && nodes_[node].firstChild != kNoHtmlNode) return nodes_[node].firstChild;
  while (node != scope && node != kNoHtmlNode) {
    if (nodes_[node].next != kNoHtmlNode) return nodes_[node].next;
    node = nodes_[node].parent;
  }
  return kNoHtmlNode;
}

bool MyHtmlTree::IsHtmlElement(MyHtmlNodeId id, std::string_view name) const {
  const MyHtmlNode& node = nodes_[id];
  return node.kind == MyHtmlNodeKind::Element && node.ns == MyHtmlNamespace::Html &&
         ascii::EqualsNoCase(node.name, name);
}

const std::string* MyHtmlTree::FindAttribute(MyHtmlNodeId id, std::string_view name) const {
  for (const MyHtmlAttribute& attribute : nodes_[id].attributes) {
    if (ascii::EqualsNoCase(attribute.name, name)) return &attribute.value;
  }
  return nullptr;
}

void MyHtmlTree::SetAttribute(MyHtmlNodeId id, std::string_view name, std::string value) {
  for (MyHtmlAttribute& attribute : nodes_[id].attributes) {
    if (ascii::EqualsNoCase(attribute.name, name)) {
      attribute.value = std::move(value);
      return;
    }
  }
  nodes_[id].attributes.push_back(MyHtmlAttribute{std::string(name), std::move(value)});
}

MyHtmlNodeId MyHtmlTree::FindElement(std::string_view name) const {
  for (MyHtmlNodeId id = Root(); id != kNoHtmlNode; id = Following(id, Root())) {
    if (IsHtmlElement(id, name)) return id;
  }
  return kNoHtmlNode;
}

}  // namespace skerrow
