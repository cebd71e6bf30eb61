#include "platform/linux/MyHtmlPrescan.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/AsciiText.h"

namespace skerrow {

namespace {

// Estimated costs in nanoseconds, measured on the parser library with the
// conversion, walk and rendering that follow it: a token (tag, comment) with
// its node, one open element passed over by a scope check or a search of the
// formatting list, one element re-opened as a copy, one byte of text.
constexpr std::uint64_t kTokenCost = 1000;
constexpr std::uint64_t kScanCost = 3;
constexpr std::uint64_t kCopyCost = 2000;
constexpr std::uint64_t kByteCost = 12;
static_assert(kMyHtmlWorkBudget / kByteCost <= kMyHtmlLongestText);
// Every this many runs of text after markup get a marker. One for each:
// besides copying a text whole at each append, the library's append can
// copy between overlapping memory on some inputs, so it is never asked to
// append at all where a marker can prevent it.
constexpr unsigned kMarkerInterval = 1;
constexpr std::string_view kCommentMarker = "<!--\x01sk-->";

enum TagFlag : unsigned {
  kVoid = 1u << 0,
  kSpecial = 1u << 1,     // stops the search of an end tag of another kind
  kBoundary = 1u << 2,    // stops every search (table, cells, object...)
  kFormatting = 1u << 3,  // kept in the list of formatting elements
  kListMarker = 1u << 4,  // opens a new section of that list
  kKeepsList = 1u << 5,   // its start tag does not re-open formatting elements
  kRawText = 1u << 6,     // content is text up to the matching end tag
  kPlainText = 1u << 7,   // everything after it is text
  kForeign = 1u << 8,     // SVG or MathML
  kListBlock = 1u << 9,   // ADDRESS, DIV, P: passed over by LI, DD, DT
  kStays = 1u << 10,      // its end tag closes nothing (HTML, BODY, HEAD, FORM)
};

// How a start tag of a group looks for an open element of its group to
// close first, as the tree builder does.
enum class GroupSearch : std::uint8_t {
  Down,             // down the open elements to the nearest boundary
  DownToListBlock,  // down to a special element other than ADDRESS, DIV, P
  CurrentOnly,      // only the current element
  Never,            // a second one is merged or ignored, nothing closes
};

struct TagInfo {
  unsigned flags = 0;
  // Elements of one group close an open one of the same group instead of
  // nesting in it (P in P, LI in LI, TD in TR...).
  std::uint8_t group = 0;
};

GroupSearch SearchOf(std::uint8_t group) {
  switch (group) {
    case 2:
    case 3:
      return GroupSearch::DownToListBlock;
    case 4:
    case 9:
    case 13:
      return GroupSearch::CurrentOnly;
    case 6:
    case 7:
    case 10:
    case 12:
      return GroupSearch::Never;
    default:
      return GroupSearch::Down;
  }
}

using TagTable = std::unordered_map<std::string_view, TagInfo>;

const TagTable& Tags() {
  static const TagTable table = [] {
    TagTable t;
    auto add = [&t](std::initializer_list<std::string_view> names, unsigned flags,
                    std::uint8_t group = 0) {
      for (std::string_view name : names) {
        TagInfo& info = t[name];
        info.flags |= flags;
        if (group != 0) info.group = group;
      }
    };
    add({"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image", "img",
         "input", "keygen", "link", "meta", "param", "source", "track", "wbr"},
        kVoid);
    add({"address", "applet",     "area",     "article",    "aside",     "base",     "basefont",
         "bgsound", "blockquote", "body",     "br",         "button",    "caption",  "center",
         "col",     "colgroup",   "dd",       "details",    "dir",       "div",      "dl",
         "dt",      "embed",      "fieldset", "figcaption", "figure",    "footer",   "form",
         "frame",   "frameset",   "h1",       "h2",         "h3",        "h4",       "h5",
         "h6",      "head",       "header",   "hgroup",     "hr",        "html",     "iframe",
         "img",     "input",      "keygen",   "li",         "link",      "listing",  "main",
         "marquee", "menu",       "meta",     "nav",        "noembed",   "noframes", "noscript",
         "object",  "ol",         "p",        "param",      "plaintext", "pre",      "script",
         "search",  "section",    "select",   "source",     "style",     "summary",  "table",
         "tbody",   "td",         "template", "textarea",   "tfoot",     "th",       "thead",
         "title",   "tr",         "track",    "ul",         "wbr",       "xmp"},
        kSpecial);
    add({"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template"},
        kBoundary);
    add({"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong", "tt",
         "u"},
        kFormatting);
    add({"applet", "object", "marquee", "template", "td", "th", "caption"}, kListMarker);
    add({"address",  "article",  "aside",     "blockquote", "center",     "details", "dialog",
         "dir",      "div",      "dl",        "fieldset",   "figcaption", "figure",  "footer",
         "header",   "hgroup",   "main",      "menu",       "nav",        "ol",      "p",
         "search",   "section",  "summary",   "ul",         "h1",         "h2",      "h3",
         "h4",       "h5",       "h6",        "pre",        "listing",    "form",    "li",
         "dd",       "dt",       "plaintext", "table",      "hr",         "html",    "body",
         "head",     "frameset", "base",      "basefont",   "bgsound",    "link",    "meta",
         "noframes", "script",   "style",     "template",   "title",      "caption", "col",
         "colgroup", "frame",    "tbody",     "td",         "tfoot",      "th",      "thead",
         "tr",       "textarea", "iframe",    "noembed"},
        kKeepsList);
    add({"script", "style", "xmp", "iframe", "noembed", "noframes", "textarea", "title"}, kRawText);
    add({"plaintext"}, kPlainText);
    add({"address", "div", "p"}, kListBlock);
    add({"html", "body", "head", "form", "frameset"}, kStays);
    add({"svg", "math"}, kForeign);
    add({"p"}, 0, 1);
    add({"li"}, 0, 2);
    add({"dd", "dt"}, 0, 3);
    add({"option", "optgroup"}, 0, 4);
    add({"tr", "td", "th", "tbody", "thead", "tfoot", "caption", "colgroup"}, 0, 5);
    add({"a"}, 0, 6);
    add({"nobr"}, 0, 7);
    add({"button"}, 0, 8);
    add({"h1", "h2", "h3", "h4", "h5", "h6"}, 0, 9);
    add({"form"}, 0, 10);
    add({"select"}, 0, 11);
    add({"html", "head", "body", "frameset"}, 0, 12);
    add({"rb", "rt", "rp", "rtc"}, 0, 13);
    return t;
  }();
  return table;
}

std::uint64_t Hash(std::string_view text) {
  std::uint64_t h = 1469598103934665603ull;
  for (char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
using ascii::IsSpace;
bool IsLineBreak(char c) {
  return c == '\n' || c == '\r';
}
char Lower(char c) {
  return ascii::ToLower(c);
}

// A small model of the tree builder's open elements and list of formatting
// elements, enough to follow how much work each token makes.
class WorkModel {
 public:
  std::uint64_t work = 0;

  void StartTag(std::string_view name, std::string_view key, bool selfClosing) {
    TagInfo info = Lookup(name);
    work += kTokenCost;
    if (!(info.flags & kKeepsList)) Reopen();
    if (info.flags & kVoid || (selfClosing && foreignDepth_ > 0)) {
      work += kScanCost * stack_.size();
      return;
    }
    if (info.flags & kForeign) ++foreignDepth_;
    if (info.group != 0) CloseOpenOfGroup(info.group);
    // A new A or NOBR while one is still in the list is first closed by the
    // adoption agency, which moves and copies elements.
    if ((info.group == 6 || info.group == 7) && InSection(Hash(name))) AdoptionAgency();
    work += kScanCost * stack_.size();
    Open open{Hash(name), info.flags, info.group, 0};
    if (info.flags & kFormatting) open.serial = AddFormatting(Hash(name), Hash(key));
    if (info.flags & kListMarker) list_.push_back(Entry{0, 0, 0, true});
    stack_.push_back(open);
  }

  void EndTag(std::string_view name) {
    TagInfo info = Lookup(name);
    std::uint64_t nameHash = Hash(name);
    work += kTokenCost;
    if (info.flags & kForeign && foreignDepth_ > 0) --foreignDepth_;
    if (info.flags & kStays) return;
    std::size_t scanned = 0;
    bool blockAbove = false;
    for (std::size_t i = stack_.size(); i-- > 0;) {
      ++scanned;
      const Open& open = stack_[i];
      if (open.name == nameHash) {
        // With a special element above it the adoption agency moves that
        // element under a copy of this one: nothing closes.
        if (info.flags & kFormatting && blockAbove) {
          AdoptionAgency();
          work += kScanCost * scanned;
          return;
        }
        PopTo(i);
        if (info.flags & kFormatting) RemoveFormatting(nameHash);
        work += kScanCost * scanned;
        return;
      }
      if (open.flags & kBoundary) break;
      if (open.flags & kSpecial && !(info.flags & kFormatting) && !(info.flags & kSpecial)) break;
      blockAbove = blockAbove || (open.flags & kSpecial) != 0;
    }
    work += kScanCost * scanned;
    // Not open: a formatting element closed earlier leaves the list now.
    if (info.flags & kFormatting) RemoveFormatting(nameHash);
  }

  void Comment() { work += kTokenCost; }
  void Text(std::size_t length) {
    work += kByteCost * length;
    Reopen();
  }
  void Bytes(std::size_t length) { work += kByteCost * length; }

 private:
  struct Open {
    std::uint64_t name;
    unsigned flags;
    std::uint8_t group;
    std::uint64_t serial;  // its entry in the formatting list, or 0
  };
  struct Entry {
    std::uint64_t name;
    std::uint64_t key;
    std::uint64_t serial;
    bool open;  // a marker has serial 0
  };

  static TagInfo Lookup(std::string_view name) {
    const TagTable& tags = Tags();
    auto found = tags.find(name);
    return found == tags.end() ? TagInfo{} : found->second;
  }

  // Up to eight rounds, each searching the open elements and the list and
  // making a copy.
  void AdoptionAgency() {
    std::size_t section = list_.size() - SectionStart();
    work += 8 * (kCopyCost + kScanCost * (stack_.size() + section));
  }

  bool InSection(std::uint64_t name) {
    for (std::size_t i = list_.size(); i-- > 0;) {
      work += kScanCost;
      if (list_[i].serial == 0) return false;
      if (list_[i].name == name) return true;
    }
    return false;
  }

  std::size_t SectionStart() const {
    for (std::size_t i = list_.size(); i-- > 0;) {
      if (list_[i].serial == 0) return i + 1;
    }
    return 0;
  }

  std::uint64_t AddFormatting(std::uint64_t name, std::uint64_t key) {
    // At most three identical entries per section: the earliest goes.
    std::size_t start = SectionStart();
    work += kScanCost * (list_.size() - start);
    std::size_t identical = 0;
    std::size_t earliest = list_.size();
    for (std::size_t i = start; i < list_.size(); ++i) {
      if (list_[i].name == name && list_[i].key == key) {
        if (identical++ == 0) earliest = i;
      }
    }
    if (identical >= 3) list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(earliest));
    list_.push_back(Entry{name, key, ++serial_, true});
    return serial_;
  }

  void RemoveFormatting(std::uint64_t name) {
    for (std::size_t i = list_.size(); i-- > 0;) {
      work += kScanCost;
      if (list_[i].serial == 0) break;
      if (list_[i].name == name) {
        list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
    }
  }

  // The formatting elements at the end of the list that are no longer open
  // are opened again, as copies, before the next content.
  void Reopen() {
    std::size_t first = list_.size();
    while (first > 0 && list_[first - 1].serial != 0 && !list_[first - 1].open) --first;
    for (std::size_t i = first; i < list_.size(); ++i) {
      list_[i].open = true;
      stack_.push_back(Open{list_[i].name, kFormatting, 0, list_[i].serial});
      work += kCopyCost + kScanCost * stack_.size();
    }
  }

  void CloseOpenOfGroup(std::uint8_t group) {
    GroupSearch search = SearchOf(group);
    if (search == GroupSearch::Never) return;
    std::size_t scanned = 0;
    for (std::size_t i = stack_.size(); i-- > 0;) {
      ++scanned;
      const Open& open = stack_[i];
      if (open.group == group) {
        PopTo(i);
        break;
      }
      if (search == GroupSearch::CurrentOnly || open.flags & kBoundary) break;
      if (search == GroupSearch::DownToListBlock && open.flags & kSpecial &&
          !(open.flags & kListBlock))
        break;
    }
    work += kScanCost * scanned;
  }

  void PopTo(std::size_t index) {
    while (stack_.size() > index) {
      const Open& open = stack_.back();
      if (open.serial != 0) MarkClosed(open.serial);
      if (open.flags & kListMarker) {
        while (!list_.empty() && list_.back().serial != 0) list_.pop_back();
        if (!list_.empty()) list_.pop_back();
      }
      stack_.pop_back();
    }
  }

  void MarkClosed(std::uint64_t serial) {
    for (std::size_t i = list_.size(); i-- > 0;) {
      work += kScanCost;
      if (list_[i].serial == serial) {
        list_[i].open = false;
        return;
      }
      if (list_[i].serial != 0 && list_[i].serial < serial) return;
    }
  }

  std::vector<Open> stack_;
  std::vector<Entry> list_;
  std::uint64_t serial_ = 0;
  unsigned foreignDepth_ = 0;

 public:
  bool InForeignContent() const { return foreignDepth_ > 0; }
};

struct Tag {
  std::size_t end = 0;   // index after the closing ">" (or the text's end)
  std::string name;      // lower case
  std::string_view key;  // what follows the name: attributes as written
  bool selfClosing = false;
  bool unclosed = false;  // the text ends inside the tag
};

// Reads a start or end tag whose name starts at nameStart, as the tokenizer
// does: the name runs to white space, "/" or ">"; attribute values may be
// quoted.
Tag ReadTag(std::string_view text, std::size_t nameStart) {
  Tag tag;
  std::size_t i = nameStart;
  while (i < text.size() && !IsSpace(text[i]) && text[i] != '/' && text[i] != '>') {
    tag.name.push_back(Lower(text[i]));
    ++i;
  }
  std::size_t keyStart = i;
  char quote = 0;
  bool afterEquals = false;
  while (i < text.size()) {
    char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '>') {
      tag.selfClosing = i > keyStart && text[i - 1] == '/';
      tag.key = text.substr(keyStart, i - keyStart);
      tag.end = i + 1;
      return tag;
    } else if (afterEquals && (c == '"' || c == '\'')) {
      quote = c;
    }
    if (quote == 0 && !IsSpace(c)) afterEquals = c == '=';
    ++i;
  }
  tag.key = text.substr(keyStart);
  tag.end = text.size();
  tag.unclosed = true;
  return tag;
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  for (std::size_t i = text.find(what.front(), from); i != std::string_view::npos;
       i = text.find(what.front(), i + 1)) {
    if (i + what.size() > text.size()) return std::string_view::npos;
    bool same = true;
    for (std::size_t k = 1; k < what.size() && same; ++k) same = Lower(text[i + k]) == what[k];
    if (same) return i;
  }
  return std::string_view::npos;
}

// The start of the end tag that closes raw text opened by name, or the end.
std::size_t RawTextEnd(std::string_view text, std::size_t from, const std::string& name) {
  std::string closing = "</" + name;
  for (std::size_t at = FindNoCase(text, closing, from); at != std::string_view::npos;
       at = FindNoCase(text, closing, at + 1)) {
    std::size_t after = at + closing.size();
    if (after >= text.size()) return at;
    char c = text[after];
    if (IsSpace(c) || c == '/' || c == '>') return at;
  }
  return text.size();
}

// The end of a markup declaration or processing instruction at i (after
// "<!" or "<?" or "</" not followed by a letter).
std::size_t CommentEnd(std::string_view text, std::size_t i) {
  if (text.compare(i, 4, "<!--") == 0) {
    if (text.compare(i + 4, 1, ">") == 0) return i + 5;
    if (text.compare(i + 4, 2, "->") == 0) return i + 6;
    std::size_t close = text.find("-->", i + 4);
    return close == std::string_view::npos ? text.size() : close + 3;
  }
  std::size_t close = text.find('>', i + 2);
  return close == std::string_view::npos ? text.size() : close + 1;
}

// Whether the "<" at i opens a tag, comment or other markup for the
// tokenizer; any other "<" is text.
bool OpensMarkup(std::string_view text, std::size_t i) {
  if (text[i] != '<' || i + 1 >= text.size()) return false;
  char next = text[i + 1];
  if (IsAsciiLetter(next) || next == '!' || next == '?') return true;
  return next == '/' && i + 2 < text.size();
}

std::size_t NextMarkup(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos;
       at = text.find('<', at + 1)) {
    if (OpensMarkup(text, at)) return at;
  }
  return text.size();
}

}  // namespace

MyHtmlPrescanResult PrescanForParsing(std::string_view text, std::uint64_t budget) {
  MyHtmlPrescanResult result;
  result.text.reserve(text.size() + text.size() / 16);
  WorkModel model;
  bool afterMarkup = false;
  // Right after a start tag of PRE, LISTING or TEXTAREA, where the parser
  // drops one line break: a marker in front of it would keep it. (A run with
  // ink keeps its leading white space in front of the marker anyway.)
  bool dropsLineFeed = false;
  unsigned textRuns = 0;
  unsigned blankRuns = 0;
  std::size_t i = 0;
  auto overBudget = [&]() { return model.work > budget; };

  while (i < text.size()) {
    if (!OpensMarkup(text, i)) {
      std::size_t end = NextMarkup(text, i + 1);
      std::string_view run = text.substr(i, end - i);
      model.Text(run.size());
      if (overBudget()) break;
      std::size_t firstInk = 0;
      while (firstInk < run.size() && IsSpace(run[firstInk])) ++firstInk;
      const bool blank = firstInk == run.size();
      if (blank && dropsLineFeed) {
        const std::size_t lineFeed = run.starts_with("\r\n") ? 2 : IsLineBreak(run[0]) ? 1 : 0;
        result.text += run.substr(0, lineFeed);
        run.remove_prefix(lineFeed);
      }
      dropsLineFeed = false;
      if (afterMarkup && blank) {
        if (!run.empty() && ++blankRuns % kMarkerInterval == 0) result.text += kCommentMarker;
      } else if (afterMarkup) {
        result.text += run.substr(0, firstInk);
        run.remove_prefix(firstInk);
        if (++textRuns % kMarkerInterval == 0) result.text += kMyHtmlMarker;
      }
      result.text += run;
      afterMarkup = false;
      i = end;
      continue;
    }
    char next = text[i + 1];
    if (IsAsciiLetter(next) || (next == '/' && IsAsciiLetter(text[i + 2]))) {
      bool closing = next == '/';
      Tag tag = ReadTag(text, i + (closing ? 2 : 1));
      model.Bytes(tag.end - i);
      if (closing) {
        model.EndTag(tag.name);
      } else {
        model.StartTag(tag.name, tag.key, tag.selfClosing);
      }
      if (overBudget()) break;
      // The library makes a tag the text ends in a text node, appended to a
      // text before it like any other.
      if (tag.unclosed) result.text += kMyHtmlMarker;
      result.text += text.substr(i, tag.end - i);
      i = tag.end;
      afterMarkup = true;
      dropsLineFeed = !closing && !model.InForeignContent() &&
                      (tag.name == "pre" || tag.name == "listing" || tag.name == "textarea");
      if (closing || model.InForeignContent()) continue;
      auto info = Tags().find(tag.name);
      unsigned flags = info == Tags().end() ? 0 : info->second.flags;
      std::size_t end = i;
      if (flags & kPlainText) {
        end = text.size();
      } else if (flags & kRawText) {
        end = RawTextEnd(text, i, tag.name);
      }
      if (end > i) {
        model.Bytes(end - i);
        if (overBudget()) break;
        result.text += text.substr(i, end - i);
        i = end;
      }
      continue;
    }
    // A comment, a document type, a processing instruction or an end tag
    // that does not start with a letter: all up to their end are one token.
    std::size_t end = CommentEnd(text, i);
    model.Comment();
    model.Bytes(end - i);
    if (overBudget()) break;
    result.text += text.substr(i, end - i);
    i = end;
    afterMarkup = true;
    dropsLineFeed = false;
  }
  result.truncated = i < text.size();
  result.work = model.work;
  return result;
}

}  // namespace skerrow
