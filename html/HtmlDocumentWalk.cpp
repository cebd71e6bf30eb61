#include "html/HtmlDocumentWalk.h"

#include "base/ErrorLog.h"
#include "html/FontSizeReading.h"
#include "html/KnownTags.h"
#include "options/FilterOptions.h"
#include "platform/HtmlEngine.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

// What a disarmed script holds instead of its code (two blanks before "by").
constexpr std::u16string_view kRemovedScript = u"<!-- Removed  by Brannel -->";
// A disarmed image keeps its place as a framed box of this size where its
// width or height reads 0.
constexpr std::int32_t kEmptiedImageWidth = 32;
constexpr std::int32_t kEmptiedImageHeight = 16;
constexpr std::int32_t kEmptiedImageBorder = 1;

}  // namespace

bool HtmlDocumentWalk::Check(std::int32_t status, std::int32_t place) const {
  if (hr::Succeeded(status)) return true;
  env_.log.LogFailure(status, place);
  return false;
}

std::string HtmlDocumentWalk::Narrow(const std::u16string& text) const {
  return env_.platform.codePage.ToNarrow(text).text;
}

void HtmlDocumentWalk::Run(HtmlDocument& document, MessageFeatures& features) {
  features.htmlChanged = 0;
  WalkElements(document, features);
  WalkImages(document, features);
  WalkLinks(document, features);
}

void HtmlDocumentWalk::WalkElements(HtmlDocument& document, MessageFeatures& features) {
  Result<HtmlCollection*> all = document.Collection(HtmlCollectionKind::All);
  if (!Check(all.status, 100101) || all.value == nullptr) return;
  Result<std::size_t> length = all.value->Length();
  Check(length.status, 100101);
  const CodePage& codePage = env_.platform.codePage;
  std::size_t counted = 0;
  std::size_t unknown = 0;
  bool xmlSeen = false;
  for (std::size_t index = 0; index < length.value; ++index) {
    Result<HtmlElement*> item = all.value->Item(index);
    if (!Check(item.status, 100102) || item.value == nullptr) continue;
    HtmlElement& element = *item.value;
    Result<std::u16string> tagName = element.TagName();
    if (!Check(tagName.status, 100103) || tagName.value.empty()) continue;
    std::string name = Narrow(tagName.value);
    if (codePage.CompareNoCase(name, "XML") == 0) {
      xmlSeen = true;
    } else {
      ++counted;
      if (!isKnownTag(name)) ++unknown;
    }
    if (env_.options.bRemoveScripts && codePage.CompareNoCase(name, "SCRIPT") == 0) {
      // Only the content goes: the element stays a script.
      Check(element.SetInnerHtml(kRemovedScript), 100104);
      features.htmlChanged = 1;
    }
    if (name == "FONT") ReadFont(element, features);
  }
  if (!xmlSeen && counted > 0) {
    features.unknownTagShare = static_cast<double>(unknown) / static_cast<double>(counted);
  }
}

void HtmlDocumentWalk::ReadFont(HtmlElement& font, MessageFeatures& features) {
  Result<std::u16string> size = font.FontSize();
  if (Check(size.status, 100105) && IsExtraSmallFontAttribute(Narrow(size.value))) {
    features.smallFont = 1;
  }
  Result<std::u16string> color = font.FontColor();
  if (Check(color.status, 100106) && !color.value.empty()) {
    features.words.insert("cl_" + Narrow(color.value));
  }
  Result<std::u16string> styleSize = font.StyleFontSize();
  if (Check(styleSize.status, 100108) && IsExtraSmallStyleFontSize(Narrow(styleSize.value))) {
    features.smallFont = 1;
  }
  Result<std::u16string> styleColor = font.StyleColor();
  if (Check(styleColor.status, 100109) && !styleColor.value.empty()) {
    features.words.insert("cl_" + Narrow(styleColor.value));
  }
}

void HtmlDocumentWalk::SampleUrl(std::size_t index, const std::u16string& url,
                                 MessageFeatures& features) {
  if (url.empty() || features.urlSampleLimit < 0 ||
      index > static_cast<std::size_t>(features.urlSampleLimit)) {
    return;
  }
  features.links.insert(env_.platform.codePage.ToUpper(Narrow(url)));
}

void HtmlDocumentWalk::WalkImages(HtmlDocument& document, MessageFeatures& features) {
  Result<HtmlCollection*> images = document.Collection(HtmlCollectionKind::Images);
  if (!Check(images.status, 100110) || images.value == nullptr) return;
  Result<std::size_t> length = images.value->Length();
  Check(length.status, 100111);
  for (std::size_t index = 0; index < length.value; ++index) {
    Result<HtmlElement*> item = images.value->Item(index);
    if (!Check(item.status, 100112) || item.value == nullptr) continue;
    // Sampled before it is emptied: the rules see what the sender wrote.
    Result<std::u16string> source = item.value->ImageSource();
    if (Check(source.status, 100113)) SampleUrl(index, source.value, features);
    if (env_.options.bRemoveImages) DisarmImage(*item.value, features);
  }
}

void HtmlDocumentWalk::DisarmImage(HtmlElement& image, MessageFeatures& features) {
  Check(image.SetImageSource(u""), 100114);
  Result<std::int32_t> width = image.ImageWidth();
  Check(width.status, 100115);
  if (width.value == 0) Check(image.SetImageWidth(kEmptiedImageWidth), 100116);
  Result<std::int32_t> height = image.ImageHeight();
  Check(height.status, 100117);
  if (height.value == 0) Check(image.SetImageHeight(kEmptiedImageHeight), 100118);
  Check(image.SetImageBorder(kEmptiedImageBorder), 100119);
  features.htmlChanged = 1;
}

void HtmlDocumentWalk::WalkLinks(HtmlDocument& document, MessageFeatures& features) {
  Result<HtmlCollection*> links = document.Collection(HtmlCollectionKind::Links);
  if (!Check(links.status, 100120) || links.value == nullptr) return;
  Result<std::size_t> length = links.value->Length();
  Check(length.status, 100121);
  for (std::size_t index = 0; index < length.value; ++index) {
    Result<HtmlElement*> item = links.value->Item(index);
    if (!Check(item.status, 100122) || item.value == nullptr) continue;
    Result<std::u16string> target = item.value->LinkTarget();
    if (Check(target.status, 100123)) SampleUrl(index, target.value, features);
  }
}

}  // namespace skerrow
