// The walk over a parsed HTML document: counts the elements and the unknown
// ones, looks for extra-small FONT sizes, turns font colours into words,
// samples image sources and link targets into the links, and, when the
// options say so, disarms scripts and images on the way. Each failing
// engine call is logged with its place code and the walk goes on.
#pragma once

#include "base/Env.h"
#include "engine/MessageFeatures.h"

namespace skerrow {

class HtmlDocument;
class HtmlElement;

class HtmlDocumentWalk {
 public:
  explicit HtmlDocumentWalk(Env env) : env_(env) {}

  // Writes htmlChanged, unknownTagShare, smallFont, the colour words and
  // the URL samples into the features; changes the document when
  // bRemoveScripts or bRemoveImages is on.
  void Run(HtmlDocument& document, MessageFeatures& features);

 private:
  void WalkElements(HtmlDocument& document, MessageFeatures& features);
  void ReadFont(HtmlElement& font, MessageFeatures& features);
  void WalkImages(HtmlDocument& document, MessageFeatures& features);
  void WalkLinks(HtmlDocument& document, MessageFeatures& features);
  void DisarmImage(HtmlElement& image, MessageFeatures& features);
  void SampleUrl(std::size_t index, const std::u16string& url, MessageFeatures& features);
  std::string Narrow(const std::u16string& text) const;
  // Logs a failed status with its place; true when the call succeeded.
  bool Check(std::int32_t status, std::int32_t place) const;

  Env env_;
};

}  // namespace skerrow
