#include "platform/linux/MyHtmlParser.h"

#include <myhtml/api.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/linux/MyHtmlPrescan.h"

namespace skerrow {

namespace {

struct TreeDeleter {
  void operator()(myhtml_tree_t* tree) const { myhtml_tree_destroy(tree); }
};
using TreeHandle = std::unique_ptr<myhtml_tree_t, TreeDeleter>;

std::string_view NodeText(myhtml_tree_node_t* node) {
  std::size_t length = 0;
  const char* text = myhtml_node_text(node, &length);
  return text == nullptr ? std::string_view() : std::string_view(text, length);
}

std::string_view AttributeKey(myhtml_tree_attr_t* attribute) {
  std::size_t length = 0;
  const char* key = myhtml_attribute_key(attribute, &length);
  return key == nullptr ? std::string_view() : std::string_view(key, length);
}

std::string_view AttributeValue(myhtml_tree_attr_t* attribute) {
  std::size_t length = 0;
  const char* value = myhtml_attribute_value(attribute, &length);
  return value == nullptr ? std::string_view() : std::string_view(value, length);
}

bool IsMarker(myhtml_tree_t* tree, myhtml_tree_node_t* node) {
  myhtml_tag_id_t id = myhtml_node_tag_id(node);
  if (id == MyHTML_TAG__COMMENT) return NodeText(node) == kMyHtmlMarkerComment;
  myhtml_tree_attr_t* first = myhtml_node_attribute_first(node);
  if (first == nullptr || myhtml_attribute_next(first) != nullptr) return false;
  std::size_t length = 0;
  const char* name = myhtml_tag_name_by_id(tree, id, &length);
  return name != nullptr && std::string_view(name, length) == "wbr" &&
         AttributeKey(first) == kMyHtmlMarkerAttribute;
}

// A marker that landed inside raw text (where the quick scan could not
// tell the tokenizer's state) is taken out of the text again.
std::string WithoutMarkers(std::string_view text) {
  std::string out(text);
  for (std::size_t at = out.find(kMyHtmlMarker); at != std::string::npos;
       at = out.find(kMyHtmlMarker, at)) {
    out.erase(at, kMyHtmlMarker.size());
  }
  const std::string comment = "<!--" + std::string(kMyHtmlMarkerComment) + "-->";
  for (std::size_t at = out.find(comment); at != std::string::npos; at = out.find(comment, at)) {
    out.erase(at, comment.size());
  }
  return out;
}

MyHtmlNamespace NamespaceOf(myhtml_tree_node_t* node) {
  switch (myhtml_node_namespace(node)) {
    case MyHTML_NAMESPACE_SVG:
      return MyHtmlNamespace::Svg;
    case MyHTML_NAMESPACE_MATHML:
      return MyHtmlNamespace::MathMl;
    default:
      return MyHtmlNamespace::Html;
  }
}

// Copies the children of from (in document order, without recursion) under
// parent, leaving out the markers.
void CopyChildren(myhtml_tree_t* library, myhtml_tree_node_t* from, MyHtmlTree& tree,
                  MyHtmlNodeId parent) {
  struct Level {
    myhtml_tree_node_t* next;  // the next library node to copy at this level
    MyHtmlNodeId parent;
  };
  std::vector<Level> levels{{myhtml_node_child(from), parent}};
  while (!levels.empty()) {
    Level& level = levels.back();
    myhtml_tree_node_t* node = level.next;
    if (node == nullptr) {
      levels.pop_back();
      continue;
    }
    level.next = myhtml_node_next(node);
    MyHtmlNodeId into = level.parent;
    if (IsMarker(library, node)) {
      if (myhtml_node_child(node) != nullptr) levels.push_back({myhtml_node_child(node), into});
      continue;
    }
    MyHtmlNode copy;
    myhtml_tag_id_t id = myhtml_node_tag_id(node);
    if (id == MyHTML_TAG__TEXT) {
      copy.kind = MyHtmlNodeKind::Text;
      std::string_view text = NodeText(node);
      copy.data =
          text.find('\x01') == std::string_view::npos ? std::string(text) : WithoutMarkers(text);
      if (copy.data.empty()) continue;
    } else if (id == MyHTML_TAG__COMMENT) {
      copy.kind = MyHtmlNodeKind::Comment;
      copy.data = NodeText(node);
    } else if (id == MyHTML_TAG__DOCTYPE) {
      // Its attributes hold the public and system ids, some with no key.
      copy.kind = MyHtmlNodeKind::DocumentType;
    } else {
      copy.kind = MyHtmlNodeKind::Element;
      copy.ns = NamespaceOf(node);
      std::size_t length = 0;
      const char* name = myhtml_tag_name_by_id(library, id, &length);
      if (name != nullptr) copy.name.assign(name, length);
      for (myhtml_tree_attr_t* attribute = myhtml_node_attribute_first(node); attribute != nullptr;
           attribute = myhtml_attribute_next(attribute)) {
        copy.attributes.push_back(MyHtmlAttribute{std::string(AttributeKey(attribute)),
                                                  std::string(AttributeValue(attribute))});
      }
    }
    MyHtmlNodeId copied = tree.Append(into, std::move(copy));
    if (myhtml_node_child(node) != nullptr) levels.push_back({myhtml_node_child(node), copied});
  }
}

}  // namespace

MyHtmlParser::~MyHtmlParser() {
  if (library_ != nullptr) myhtml_destroy(library_);
}

HResult MyHtmlParser::Start() {
  if (library_ != nullptr) return hr::kOk;
  myhtml_t* library = myhtml_create();
  if (library == nullptr) return hr::kOutOfMemory;
  if (myhtml_init(library, MyHTML_OPTIONS_PARSE_MODE_SINGLE, 1, 0) != MyHTML_STATUS_OK) {
    myhtml_destroy(library);
    return hr::kFail;
  }
  library_ = library;
  return hr::kOk;
}

HResult MyHtmlParser::ParseDocument(std::string_view utf8, MyHtmlTree& tree) {
  tree.Clear();
  return Parse(utf8, false, tree, tree.Root());
}

HResult MyHtmlParser::ParseFragment(std::string_view utf8, MyHtmlTree& tree, MyHtmlNodeId parent) {
  return Parse(utf8, true, tree, parent);
}

HResult MyHtmlParser::Parse(std::string_view utf8, bool fragment, MyHtmlTree& tree,
                            MyHtmlNodeId parent) {
  if (HResult started = Start(); hr::Failed(started)) return started;
  MyHtmlPrescanResult prepared = PrescanForParsing(utf8);
  TreeHandle library(myhtml_tree_create());
  if (library == nullptr) return hr::kOutOfMemory;
  if (myhtml_tree_init(library.get(), library_) != MyHTML_STATUS_OK) return hr::kFail;
  mystatus_t status =
      fragment ? myhtml_parse_fragment(library.get(), MyENCODING_UTF_8, prepared.text.data(),
                                       prepared.text.size(), MyHTML_TAG_DIV, MyHTML_NAMESPACE_HTML)
               : myhtml_parse(library.get(), MyENCODING_UTF_8, prepared.text.data(),
                              prepared.text.size());
  if (status != MyHTML_STATUS_OK) return hr::kFail;
  myhtml_tree_node_t* root =
      fragment ? myhtml_tree_get_node_html(library.get()) : myhtml_tree_get_document(library.get());
  if (root == nullptr) return hr::kFail;
  // About one node for every 24 bytes of ordinary mail: reserving saves
  // moving the nodes as the tree grows.
  tree.Reserve(tree.size() + prepared.text.size() / 24 + 16);
  CopyChildren(library.get(), root, tree, parent);
  return prepared.truncated ? hr::kFalse : hr::kOk;
}

}  // namespace skerrow
