#include "platform/linux/MyHtmlTextRenderer.h"

#include <string_view>
#include <unordered_set>

#include "base/AsciiText.h"

namespace skerrow {

namespace {

using NameSet = std::unordered_set<std::string_view>;

const NameSet& HiddenElements() {
  static const NameSet names{"script",   "style",   "head",     "title",   "noscript",
                             "template", "noembed", "noframes", "iframe",  "object",
                             "applet",   "select",  "datalist", "frameset"};
  return names;
}

const NameSet& BlockElements() {
  static const NameSet names{"address",   "article", "aside",    "blockquote", "body",   "caption",
                             "center",    "dd",      "details",  "dialog",     "dir",    "div",
                             "dl",        "dt",      "fieldset", "figcaption", "figure", "footer",
                             "form",      "h1",      "h2",       "h3",         "h4",     "h5",
                             "h6",        "header",  "hgroup",   "hr",         "html",   "li",
                             "listing",   "main",    "menu",     "nav",        "ol",     "p",
                             "plaintext", "pre",     "section",  "summary",    "table",  "tbody",
                             "tfoot",     "thead",   "tr",       "ul",         "xmp"};
  return names;
}

using ascii::IsSpace;

class TextBuilder {
 public:
  void LineBreak() {
    out_ += "\r\n";
    atLineStart_ = true;
    pendingSpace_ = false;
    pendingBreak_ = false;
  }
  void BlockEdge() {
    if (!atLineStart_) pendingBreak_ = true;
    pendingSpace_ = false;
  }
  void Separator(char c) {
    if (atLineStart_ || pendingBreak_) return;
    Flush();
    out_.push_back(c);
    pendingSpace_ = false;
  }
  void Collapsed(std::string_view text) {
    for (char c : text) {
      if (IsSpace(c)) {
        pendingSpace_ = true;
        continue;
      }
      Flush();
      if (pendingSpace_ && !atLineStart_) out_.push_back(' ');
      pendingSpace_ = false;
      out_.push_back(c);
      atLineStart_ = false;
    }
  }
  void Preformatted(std::string_view text) {
    Flush();
    for (std::size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
      if (c == '\n' || c == '\r') {
        LineBreak();
      } else {
        if (pendingSpace_ && !atLineStart_) out_.push_back(' ');
        pendingSpace_ = false;
        out_.push_back(c);
        atLineStart_ = false;
      }
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  void Flush() {
    if (pendingBreak_) LineBreak();
  }

  std::string out_;
  bool atLineStart_ = true;
  bool pendingSpace_ = false;
  bool pendingBreak_ = false;
};

}  // namespace

std::string RenderText(const MyHtmlTree& tree, MyHtmlNodeId root) {
  TextBuilder text;
  int preformatted = 0;
  auto isHtml = [&](MyHtmlNodeId id) {
    return tree[id].kind == MyHtmlNodeKind::Element && tree[id].ns == MyHtmlNamespace::Html;
  };
  auto enter = [&](MyHtmlNodeId id) {
    const MyHtmlNode& node = tree[id];
    if (node.kind == MyHtmlNodeKind::Text) {
      if (preformatted > 0) {
        text.Preformatted(node.data);
      } else {
        text.Collapsed(node.data);
      }
      return false;
    }
    if (node.kind == MyHtmlNodeKind::Document) return true;
    if (node.kind != MyHtmlNodeKind::Element) return false;
    if (!isHtml(id)) return true;
    if (id != root && HiddenElements().contains(node.name)) return false;
    if (node.name == "br") {
      text.LineBreak();
    } else if (node.name == "td" || node.name == "th") {
      text.Separator('\t');
    } else if (BlockElements().contains(node.name)) {
      text.BlockEdge();
    }
    if (node.name == "pre" || node.name == "listing" || node.name == "xmp" ||
        node.name == "plaintext" || node.name == "textarea") {
      ++preformatted;
    }
    return true;
  };
  auto leave = [&](MyHtmlNodeId id) {
    const MyHtmlNode& node = tree[id];
    if (!isHtml(id) || node.kind != MyHtmlNodeKind::Element) return;
    if (BlockElements().contains(node.name)) text.BlockEdge();
    if (node.name == "pre" || node.name == "listing" || node.name == "xmp" ||
        node.name == "plaintext" || node.name == "textarea") {
      --preformatted;
    }
  };
  tree.Walk(root, enter, leave);
  return text.Take();
}

}  // namespace skerrow
