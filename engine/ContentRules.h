// The fixed, non-statistical tests that can call a message spam: illegal
// language, the learned spam lists, empty body or sender, attachments, the
// Chinese-symbol pattern, and the three HTML rules over the HTML measures.
// Options are read at every call.
#pragma once

#include <string_view>

#include "base/Env.h"
#include "engine/MessageFeatures.h"
#include "engine/SpamVerdict.h"

namespace skerrow {

class CodePage;
class MailItem;
class WordStatistics;

class ContentRules {
 public:
  // Both must outlive the rules.
  ContentRules(Env env, const WordStatistics& statistics) : env_(env), statistics_(statistics) {}

  // LangSubject, LangBody or None, from the item's subject and its HTML body
  // (or plain body when there is no HTML): text the code page cannot hold,
  // runs of five question marks, or the charset name "GB2312"/"gb2312".
  SpamReason testIllegalLanguage(MailItem& item) const;

  // The first reason in the fixed order: spam link, the HTML rules (HTML mail
  // only), Chinese symbols, empty body or sender, any attachment, dangerous
  // attachment, spam sender, spam subject, spam body; None when none applies.
  SpamReason checkRules(const MessageFeatures& features) const;

 private:
  bool HasSpamLink(const MessageFeatures& features) const;
  SpamReason HtmlRule(const MessageFeatures& features) const;
  SpamReason EmptyRule(const MessageFeatures& features) const;
  bool HasDangerousAttachment(const MessageFeatures& features) const;
  SpamReason LearnedListRule(const MessageFeatures& features) const;

  Env env_;
  const WordStatistics& statistics_;
};

// At least one byte of value 0x41 ("A") or more: digits, blanks and most
// punctuation alone are no content.
bool HasContent(std::string_view text);

// The byte 0xA6 used between letters, doubled or alternating with a letter,
// in a text that also holds a plus or minus sign, within about the first
// 1024 characters that are not separators. Position 0 is never examined, nor
// are the last two bytes.
bool HasChineseSymbolPattern(std::string_view text);

// Whether the code page holds the text: no character replaced by "?" and no
// run of five "?". Judged on the whole narrow form, the same text in which
// the language test looks for the charset name. (A conversion bounded to one
// byte more than the text has characters would give nothing for most
// double-byte text on a double-byte code page, and with it neither the runs
// of "?" nor the charset name that must make such text illegal.)
bool IsRepresentable(const CodePage& codePage, std::u16string_view text);

}  // namespace skerrow
