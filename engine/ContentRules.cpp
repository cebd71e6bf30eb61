#include "engine/ContentRules.h"

#include <algorithm>
#include <string>

#include "base/ErrorLog.h"
#include "engine/CharacterClass.h"
#include "host/MailHost.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "stats/WordStatistics.h"

namespace skerrow {

namespace {

constexpr int kPlaceSubject = 202201;
constexpr int kPlaceBody = 202203;
constexpr int kPlaceHtmlBody = 202223;

// A subject this short is too likely to be shared by valid mail ("Hello",
// "Re: meeting") to be judged by the spam-subject list.
constexpr std::size_t kLongestUnjudgedSubject = 13;
constexpr double kUnknownTagShareLimit = 0.2;
constexpr double kTextBeforeEndShareLimit = 0.95;
constexpr unsigned char kBrokenBar = 0xA6;
constexpr int kChineseScanBudget = 1024;

bool NamesTheChineseCharset(std::string_view narrow) {
  return narrow.find("GB2312") != std::string_view::npos ||
         narrow.find("gb2312") != std::string_view::npos;
}

bool HoldsEveryCharacter(bool usedDefaultChar, std::string_view narrow) {
  return !usedDefaultChar && narrow.find("?????") == std::string_view::npos;
}

// Both tests read the one conversion of the text, made a piece at a time so
// that a long body costs no whole second copy. The conversion goes character
// by character, so the pieces join up to the whole text's; what the tests
// look for is searched in each piece with the end of the one before it.
bool IsIllegal(const CodePage& codePage, std::u16string_view text) {
  constexpr std::size_t kPieceUnits = std::size_t{1} << 16;
  constexpr std::size_t kLongestSought = 6;  // "GB2312"
  std::string searched;
  while (!text.empty()) {
    std::size_t units = std::min(text.size(), kPieceUnits);
    // A surrogate pair is one character.
    if (units < text.size() && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF) --units;
    const NarrowText narrow = codePage.ToNarrow(text.substr(0, units));
    text.remove_prefix(units);
    searched.erase(0, searched.size() - std::min(searched.size(), kLongestSought - 1));
    searched += narrow.text;
    if (!HoldsEveryCharacter(narrow.usedDefaultChar, searched) ||
        NamesTheChineseCharset(searched)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool HasContent(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x41) return true;
  }
  return false;
}

bool HasChineseSymbolPattern(std::string_view text) {
  const auto n = static_cast<std::ptrdiff_t>(text.size());
  auto at = [&](std::ptrdiff_t i) {
    return static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
  };
  bool between = false;      // letter, 0xA6, letter
  bool doubled = false;      // 0xA6 0xA6
  bool alternating = false;  // 0xA6, letter, 0xA6
  bool sign = false;
  std::ptrdiff_t budget = kChineseScanBudget;
  // Signed positions: a text of fewer than three bytes has nothing to scan.
  for (std::ptrdiff_t i = 1; i < n - 2; ++i) {
    const unsigned char byte = at(i);
    if (byte == kBrokenBar) {
      if (IsWordCharacter(at(i - 1)) && IsWordCharacter(at(i + 1))) between = true;
      if (IsWordCharacter(at(i + 1)) && at(i + 2) == kBrokenBar) alternating = true;
      if (at(i + 1) == kBrokenBar) doubled = true;
    } else if (byte == '+' || byte == '-') {
      sign = true;
    } else if (IsSeparator(byte)) {
      ++budget;
    }
    if (i + 1 >= budget) break;
  }
  return between && (doubled || alternating) && sign;
}

bool IsRepresentable(const CodePage& codePage, std::u16string_view text) {
  const NarrowText narrow = codePage.ToNarrow(text);
  return HoldsEveryCharacter(narrow.usedDefaultChar, narrow.text);
}

SpamReason ContentRules::testIllegalLanguage(MailItem& item) const {
  const CodePage& codePage = env_.platform.codePage;
  const ErrorLog& log = env_.log;

  const Result<std::u16string> subject = item.Subject();
  log.LogFailure(subject.status, kPlaceSubject);
  if (!subject.value.empty() && IsIllegal(codePage, subject.value)) return SpamReason::LangSubject;

  // The HTML text itself is searched, so a charset declaration counts.
  Result<std::u16string> body = item.HTMLBody();
  log.LogFailure(body.status, kPlaceHtmlBody);
  if (body.value.empty()) {
    body = item.Body();
    log.LogFailure(body.status, kPlaceBody);
  }
  if (!body.value.empty() && IsIllegal(codePage, body.value)) return SpamReason::LangBody;
  return SpamReason::None;
}

SpamReason ContentRules::checkRules(const MessageFeatures& features) const {
  const FilterOptions& options = env_.options;
  if (options.bSpamLinks && HasSpamLink(features)) return SpamReason::SpamLink;
  if (features.isHtml) {
    if (const SpamReason html = HtmlRule(features); html != SpamReason::None) return html;
  }
  if (options.bBadChinaSymb && HasChineseSymbolPattern(features.bodyText))
    return SpamReason::ChineseSymbols;
  if (options.bTestEmpty) {
    if (const SpamReason empty = EmptyRule(features); empty != SpamReason::None) return empty;
  }
  if (options.bAllAttachments && !features.attachmentNames.empty())
    return SpamReason::AnyAttachment;
  if (options.bDangerAttachment && HasDangerousAttachment(features))
    return SpamReason::DangerAttachment;
  return LearnedListRule(features);
}

bool ContentRules::HasSpamLink(const MessageFeatures& features) const {
  for (const std::string& link : features.links) {
    if (statistics_.SpamLinks().IsListed(link)) return true;
  }
  return false;
}

SpamReason ContentRules::HtmlRule(const MessageFeatures& features) const {
  const FilterOptions& options = env_.options;
  if (options.bExtraSmallFont && features.smallFont) return SpamReason::ExtraSmallFont;
  if (options.bBadHtmlTags && features.unknownTagShare > kUnknownTagShareLimit)
    return SpamReason::BadHtmlTags;
  if (options.bBeforeHtmlEnd && features.textBeforeEndShare < kTextBeforeEndShareLimit) {
    return SpamReason::TextAfterHtmlEnd;
  }
  return SpamReason::None;
}

SpamReason ContentRules::EmptyRule(const MessageFeatures& features) const {
  // A cut document shows its leading part only, and the rest may hold all the
  // text (after a large inline image, say): showing none does not make the
  // body empty.
  if (!HasContent(features.bodyText) && !features.htmlCut) return SpamReason::EmptyBody;
  // Without the address book no sender name is read, so an empty one says
  // nothing about the message.
  if (!env_.options.bDisableCheckAddrBook && !HasContent(features.senderName))
    return SpamReason::EmptySender;
  return SpamReason::None;
}

bool ContentRules::HasDangerousAttachment(const MessageFeatures& features) const {
  const CodePage& codePage = env_.platform.codePage;
  for (const std::string& name : features.attachmentNames) {
    const std::string upper = codePage.ToUpper(name);
    // Anywhere in the name: "A.EXE.TXT" hides an executable from a careless eye.
    for (const std::string& extension : statistics_.DangerousExtensions()) {
      if (upper.find(extension) != std::string::npos) return true;
    }
  }
  return false;
}

SpamReason ContentRules::LearnedListRule(const MessageFeatures& features) const {
  if (!features.senderName.empty() && statistics_.SpamSenders().IsListed(features.senderName)) {
    return SpamReason::SpamSender;
  }
  if (!features.subject.empty() && statistics_.SpamSubjects().IsListed(features.subject) &&
      features.subject.size() > kLongestUnjudgedSubject) {
    return SpamReason::SpamSubject;
  }
  if (!features.bodyText.empty() && statistics_.SpamBodies().IsListed(features.bodyText)) {
    return SpamReason::SpamBody;
  }
  return SpamReason::None;
}

}  // namespace skerrow
