// The document tree the Linux HTML engine works on: the parser's result
// copied into plain nodes (UTF-8 text), so that reading, rewriting,
// rendering and serializing do not depend on the parser library.
// Nodes live in one vector and link by index; removed nodes stay allocated
// until the tree is cleared. No operation recurses.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace skerrow {

enum class MyHtmlNodeKind : std::uint8_t { Document, Element, Text, Comment, DocumentType };
enum class MyHtmlNamespace : std::uint8_t { Html, Svg, MathMl };

struct MyHtmlAttribute {
  std::string name;
  std::string value;
};

using MyHtmlNodeId = std::uint32_t;
inline constexpr MyHtmlNodeId kNoHtmlNode = std::numeric_limits<MyHtmlNodeId>::max();

struct MyHtmlNode {
  MyHtmlNodeKind kind = MyHtmlNodeKind::Element;
  MyHtmlNamespace ns = MyHtmlNamespace::Html;
  std::string name;  // an element's local name as parsed (lower case for HTML)
  std::string data;  // a text's or comment's content
  std::vector<MyHtmlAttribute> attributes;
  MyHtmlNodeId parent = kNoHtmlNode;
  MyHtmlNodeId firstChild = kNoHtmlNode;
  MyHtmlNodeId lastChild = kNoHtmlNode;
  MyHtmlNodeId next = kNoHtmlNode;
};

class MyHtmlTree {
 public:
  MyHtmlTree() { Clear(); }

  // Leaves only the document node (id 0).
  void Clear();
  MyHtmlNodeId Root() const { return 0; }
  void Reserve(std::size_t nodes) { nodes_.reserve(nodes); }
  std::size_t size() const { return nodes_.size(); }

  MyHtmlNode& operator[](MyHtmlNodeId id) { return nodes_[id]; }
  const MyHtmlNode& operator[](MyHtmlNodeId id) const { return nodes_[id]; }

  // Appends a node as the last child of parent. A text appended after a text
  // sibling joins it, as in a parsed document.
  MyHtmlNodeId Append(MyHtmlNodeId parent, MyHtmlNode node);
  void RemoveChildren(MyHtmlNodeId parent);

  // The node after this one in document order inside scope's subtree, or
  // kNoHtmlNode. With skipChildren the node's own subtree is passed over.
  MyHtmlNodeId Following(MyHtmlNodeId node, MyHtmlNodeId scope, bool skipChildren = false) const;

  // Element helpers; names compare ASCII case-insensitively.
  bool IsHtmlElement(MyHtmlNodeId id, std::string_view name) const;
  const std::string* FindAttribute(MyHtmlNodeId id, std::string_view name) const;
  void SetAttribute(MyHtmlNodeId id, std::string_view name, std::string value);
  // The first element with this HTML name in document order, or kNoHtmlNode.
  MyHtmlNodeId FindElement(std::string_view name) const;

  // Visits root's subtree in document order without recursion: enter(id)
  // before a node's children (returning false skips them), leave(id) after.
  template <class Enter, class Leave>
  void Walk(MyHtmlNodeId root, Enter enter, Leave leave) const {
    MyHtmlNodeId node = root;
    while (true) {
      if (enter(node) && nodes_[node].firstChild != kNoHtmlNode) {
        node = nodes_[node].firstChild;
        continue;
      }
      while (true) {
        leave(node);
        if (node == root) return;
        if (nodes_[node].next != kNoHtmlNode) {
          node = nodes_[node].next;
          break;
        }
        node = nodes_[node].parent;
      }
    }
  }

 private:
  std::vector<MyHtmlNode> nodes_;
};

}  // namespace skerrow
