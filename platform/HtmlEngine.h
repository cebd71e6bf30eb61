// The HTML document engine: parses an HTML string into a document whose
// elements can be walked in document order, read and partly rewritten.
//
// It behaves like a browser's DOM: tag names are upper-cased ("DIV", "O:P",
// "BLINK"), comments are elements named "!", the HTML, HEAD and BODY the
// parser implies are elements like any other. Every call returns its status
// so that callers can log it with their place code; on failure the value is
// empty (no element, empty string, 0).
//
// Ownership: the engine hands out documents; a document owns its collections
// and elements, whose pointers stay valid for the document's life. One thread
// uses a document at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/HResult.h"
#include "base/Result.h"

namespace skerrow {

// No engine builds a document from more of a text than this many UTF-16
// units: a longer text is cut to its leading part and Parse answers
// hr::kFalse. The engines of both homes cut at the same length, so that both
// judge a long message alike.
inline constexpr std::size_t kHtmlLongestText = 2'500'000;

class HtmlElement {
 public:
  virtual ~HtmlElement() = default;

  // Upper-cased, with any prefix ("O:P"); "!" for a comment or document type.
  virtual Result<std::u16string> TagName() = 0;
  // The text a reader sees: lines break at block elements and BR, script,
  // style and head content is skipped, white space collapses.
  virtual Result<std::u16string> InnerText() = 0;
  // The element serialized with its content.
  virtual Result<std::u16string> OuterHtml() = 0;
  // Replaces the content. Inside SCRIPT, STYLE and the other raw-text
  // elements the text is taken literally, elsewhere it is parsed as HTML.
  virtual HResult SetInnerHtml(std::u16string_view html) = 0;

  // The inline style's font size and colour as written ("2pt", "#ff0000");
  // empty when the style does not set them.
  virtual Result<std::u16string> StyleFontSize() = 0;
  virtual Result<std::u16string> StyleColor() = 0;

  // The FONT element's size and color attributes; hr::kNoInterface on any
  // other element.
  virtual Result<std::u16string> FontSize() = 0;
  virtual Result<std::u16string> FontColor() = 0;

  // The IMG element's attributes; hr::kNoInterface on any other element.
  // Width and height read 0 when absent or not a number.
  virtual Result<std::u16string> ImageSource() = 0;
  virtual HResult SetImageSource(std::u16string_view source) = 0;
  virtual Result<std::int32_t> ImageWidth() = 0;
  virtual HResult SetImageWidth(std::int32_t width) = 0;
  virtual Result<std::int32_t> ImageHeight() = 0;
  virtual HResult SetImageHeight(std::int32_t height) = 0;
  virtual HResult SetImageBorder(std::int32_t border) = 0;

  // The href of an A or AREA element; hr::kNoInterface on any other element.
  virtual Result<std::u16string> LinkTarget() = 0;
};

// A snapshot of elements in document order, taken when it is asked for.
class HtmlCollection {
 public:
  virtual ~HtmlCollection() = default;
  virtual Result<std::size_t> Length() = 0;
  // hr::kInvalidArg past the end.
  virtual Result<HtmlElement*> Item(std::size_t index) = 0;
};

enum class HtmlCollectionKind {
  All,     // every element, comments included
  Images,  // IMG elements
  Links,   // A and AREA elements with an href
};

class HtmlDocument {
 public:
  virtual ~HtmlDocument() = default;
  // Parses a whole HTML text (UTF-16; unpaired surrogates are taken as
  // U+FFFD) into this document, replacing what it held. Returns hr::kFalse
  // when the engine, to bound its work on a hostile text, built the document
  // from a leading part of the text only: measures of it are partial, and it
  // must not be written back in place of the original.
  virtual HResult Parse(std::u16string_view html) = 0;
  virtual Result<HtmlCollection*> Collection(HtmlCollectionKind kind) = 0;
  virtual Result<HtmlElement*> Body() = 0;
};

class HtmlEngine {
 public:
  virtual ~HtmlEngine() = default;
  virtual Result<std::unique_ptr<HtmlDocument>> CreateDocument() = 0;
};

}  // namespace skerrow
