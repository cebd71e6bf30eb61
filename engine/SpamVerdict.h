// The outcome of one classification. The reason codes select the report marks
// and are fixed. Scoped, so that None and its neighbours cannot meet a macro
// of the same name.
#pragma once

namespace skerrow {

enum class SpamReason : int {
  None = 0,
  LangSubject = 1,
  LangBody = 2,
  SpamSender = 3,
  SpamSubject = 4,
  SpamBody = 5,
  SpamLink = 6,
  EmptyBody = 7,
  EmptySender = 8,
  BadHtmlTags = 9,
  TextAfterHtmlEnd = 10,
  ExtraSmallFont = 11,  // SSF4 (note the crossing with 12)
  ChineseSymbols = 12,  // SSF3
  DangerAttachment = 13,
  AnyAttachment = 14,
  Bayes = 15,
  MarkByUser = 16,
};

enum class VerdictKind { Valid, Spam, Unchangeable, Undecided };

struct SpamVerdict {
  VerdictKind kind = VerdictKind::Undecided;
  SpamReason reason = SpamReason::None;  // None unless kind is Spam
  double score = 0.0;                    // the Bayes probability for reason 15, else 0.0
};

const char* VerdictKindName(VerdictKind kind);

}  // namespace skerrow
