// Prepares an HTML text for the parser, in one linear pass, because an HTML5
// tree builder does more than linear work on some inputs:
// - deep nesting makes every scope check walk the open elements (quadratic);
// - formatting elements closed by their parent are re-opened before later
//   content, one copy each ("<div><b id=1></div><div><b id=2></div>..."
//   builds n*n/2 elements from n tags);
// - the parser library appends each text that follows an ignored tag to the
//   previous text node by copying it whole (quadratic in the text's length),
//   and on some inputs copies between overlapping memory as it does.
// The pass estimates the parser's work tag by tag with a small model of its
// open elements and formatting list, and cuts the text before the first tag
// that would take the estimate over the budget. It also puts a marker
// (a comment and a self-closing WBR that no author writes) before every
// run of text that follows markup, outside raw text, so that the library
// does not append to a text node; the tree conversion drops the markers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/HtmlEngine.h"

namespace skerrow {

// The two markers, as written into the text, and as they are recognised in
// the tree: a comment with this content and a WBR with one attribute of
// this name.
inline constexpr std::string_view kMyHtmlMarker = "<!--\x01sk--><wbr \x01sk/>";
inline constexpr std::string_view kMyHtmlMarkerComment = "\x01sk";
inline constexpr std::string_view kMyHtmlMarkerAttribute = "\x01sk";

struct MyHtmlPrescanResult {
  std::string text;        // what to parse (UTF-8)
  bool truncated = false;  // the text was cut at the budget
  std::uint64_t work = 0;  // estimated work of what is kept, in nanoseconds
};

// The work allowed for one document, in estimated nanoseconds of parsing.
// The estimate is calibrated on this machine's parser (see MyHtmlPrescan.cpp),
// and leaves room below ~100 ms for the conversion, walk and rendering.
inline constexpr std::uint64_t kMyHtmlWorkBudget = 30'000'000;
// No text longer than this (in bytes, so in UTF-16 units too) fits the
// budget: a longer one need not even be converted past it.
inline constexpr std::size_t kMyHtmlLongestText = kHtmlLongestText;

MyHtmlPrescanResult PrescanForParsing(std::string_view utf8,
                                      std::uint64_t budget = kMyHtmlWorkBudget);

}  // namespace skerrow
