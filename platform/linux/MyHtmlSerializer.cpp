#include "platform/linux/MyHtmlSerializer.h"

#include <array>
#include <string_view>

namespace skerrow {

namespace {

template <std::size_t N>
bool IsHtmlElementIn(const MyHtmlTree& tree, MyHtmlNodeId node,
                     const std::array<std::string_view, N>& names) {
  const MyHtmlNode& n = tree[node];
  if (n.kind != MyHtmlNodeKind::Element || n.ns != MyHtmlNamespace::Html) return false;
  for (std::string_view name : names) {
    if (n.name == name) return true;
  }
  return false;
}

constexpr std::string_view kNbsp = "\xC2\xA0";

void AppendEscaped(std::string& out, std::string_view text, bool inAttribute) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '&') {
      out += "&amp;";
    } else if (c == '\xC2' && text.substr(i, 2) == kNbsp) {
      out += "&nbsp;";
      ++i;
    } else if (inAttribute && c == '"') {
      out += "&quot;";
    } else if (!inAttribute && c == '<') {
      out += "&lt;";
    } else if (!inAttribute && c == '>') {
      out += "&gt;";
    } else {
      out.push_back(c);
    }
  }
}

bool KeepsLeadingNewline(const MyHtmlTree& tree, MyHtmlNodeId node) {
  static constexpr std::array<std::string_view, 3> kNames{"pre", "textarea", "listing"};
  return IsHtmlElementIn(tree, node, kNames);
}

}  // namespace

bool IsRawTextElement(const MyHtmlTree& tree, MyHtmlNodeId node) {
  static constexpr std::array<std::string_view, 7> kNames{
      "style", "script", "xmp", "iframe", "noembed", "noframes", "plaintext"};
  return IsHtmlElementIn(tree, node, kNames);
}

bool IsVoidElement(const MyHtmlTree& tree, MyHtmlNodeId node) {
  static constexpr std::array<std::string_view, 19> kNames{
      "area",  "base",   "basefont", "bgsound", "br",    "col",    "embed", "frame", "hr",   "img",
      "input", "keygen", "link",     "meta",    "param", "source", "track", "wbr",   "image"};
  return IsHtmlElementIn(tree, node, kNames);
}

std::string SerializeHtml(const MyHtmlTree& tree, MyHtmlNodeId root) {
  std::string out;
  auto enter = [&](MyHtmlNodeId id) {
    const MyHtmlNode& node = tree[id];
    switch (node.kind) {
      case MyHtmlNodeKind::Document:
        return true;
      case MyHtmlNodeKind::DocumentType:
        out += "<!DOCTYPE html>";
        return false;
      case MyHtmlNodeKind::Comment:
        out += "<!--";
        out += node.data;
        out += "-->";
        return false;
      case MyHtmlNodeKind::Text:
        if (node.parent != kNoHtmlNode && IsRawTextElement(tree, node.parent)) {
          out += node.data;
        } else {
          AppendEscaped(out, node.data, false);
        }
        return false;
      case MyHtmlNodeKind::Element:
        break;
    }
    out.push_back('<');
    out += node.name;
    for (const MyHtmlAttribute& attribute : node.attributes) {
      out.push_back(' ');
      out += attribute.name;
      out += "=\"";
      AppendEscaped(out, attribute.value, true);
      out.push_back('"');
    }
    out.push_back('>');
    if (IsVoidElement(tree, id)) return false;
    if (KeepsLeadingNewline(tree, id) && node.firstChild != kNoHtmlNode &&
        tree[node.firstChild].kind == MyHtmlNodeKind::Text &&
        tree[node.firstChild].data.starts_with('\n')) {
      out.push_back('\n');
    }
    return true;
  };
  auto leave = [&](MyHtmlNodeId id) {
    const MyHtmlNode& node = tree[id];
    if (node.kind != MyHtmlNodeKind::Element || IsVoidElement(tree, id)) return;
    out += "</";
    out += node.name;
    out.push_back('>');
  };
  tree.Walk(root, enter, leave);
  return out;
}

}  // namespace skerrow
