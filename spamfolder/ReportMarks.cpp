#include "spamfolder/ReportMarks.h"

#include <array>
#include <charconv>

#include "base/ErrorLog.h"
#include "options/FilterOptions.h"

namespace skerrow {

namespace {

constexpr int kPlaceConvertRead = 200801;
constexpr int kPlaceConvertWrite = 200802;
constexpr int kPlaceConvertSave = 200803;
constexpr int kPlaceConvertNoMarker = 200804;
constexpr int kPlaceUnknownReason = 200901;
constexpr int kPlaceMarkRead = 200902;
constexpr int kPlaceMarkWrite = 200903;
constexpr int kPlaceMarkSave = 200904;
constexpr int kPlaceSensitivity = 202301;
constexpr int kPlaceMove = 202302;
constexpr int kPlaceSubjectForMarker = 300301;

// The three steps of RemoveMarks: read, write, save each.
constexpr int kPlacesDropInboxMarker = 202701;
constexpr int kPlacesDropSpamFolderMarker = 202801;
constexpr int kPlacesDropReportMark = 202901;

struct ReasonMark {
  SpamReason reason;
  const char* mark;
  char digit;
};

// Codes 11 and 12 cross over (SSF 4 and SSF 3): the options page numbers the
// rules differently from the reason codes, and the marks follow the page.
constexpr std::array<ReasonMark, 16> kReasonMarks{{
    {SpamReason::LangSubject, "[SpamLangSubj ]", '5'},
    {SpamReason::LangBody, "[SpamLangBody ]", '5'},
    {SpamReason::SpamSender, "[SpamSender   ]", '2'},
    {SpamReason::SpamSubject, "[SpamSubject  ]", '4'},
    {SpamReason::SpamBody, "[SpamBody     ]", '5'},
    {SpamReason::SpamLink, "[SpamLink     ]", '5'},
    {SpamReason::EmptyBody, "[Empty Body   ]", '3'},
    {SpamReason::EmptySender, "[EmptySender  ]", '4'},
    {SpamReason::BadHtmlTags, "[SSF 1        ]", '5'},
    {SpamReason::TextAfterHtmlEnd, "[SSF 2        ]", '5'},
    {SpamReason::ExtraSmallFont, "[SSF 4        ]", '5'},
    {SpamReason::ChineseSymbols, "[SSF 3        ]", '5'},
    {SpamReason::DangerAttachment, "[DangerAttch  ]", '3'},
    {SpamReason::AnyAttachment, "[DisableAttch ]", '3'},
    {SpamReason::Bayes, "[Bayes %.3lf  ]", '1'},
    {SpamReason::MarkByUser, "[MarkByUser   ]", '5'},
}};

const ReasonMark* FindReason(SpamReason reason) {
  for (const ReasonMark& entry : kReasonMarks) {
    if (entry.reason == reason) return &entry;
  }
  return nullptr;
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// "[Bayes 0.973  ]": three decimals with a point, whatever the locale. The
// probability is held to [0, 1] so that the mark keeps its 15 characters and
// stays removable.
std::string BayesMark(double score) {
  if (!(score >= 0.0)) score = 0.0;  // also catches NaN
  if (score > 1.0) score = 1.0;
  char digits[16];
  const std::to_chars_result end =
      std::to_chars(digits, digits + sizeof digits, score, std::chars_format::fixed, 3);
  return "[Bayes " + std::string(digits, end.ptr) + "  ]";
}

bool IsBayesMark(std::u16string_view text) {
  // "[Bayes d.ddd  ]"
  return text.substr(0, 7) == u"[Bayes " && IsDigit(text[7]) && text[8] == u'.' &&
         IsDigit(text[9]) && IsDigit(text[10]) && IsDigit(text[11]) && text.substr(12, 3) == u"  ]";
}

// Reads, logs the read at `place`, and answers empty on failure.
std::optional<std::u16string> ReadSubject(Env env, MailItem& item, int place) {
  Result<std::u16string> subject = item.Subject();
  env.log.LogFailure(subject.status, place);
  if (!subject.ok()) return std::nullopt;
  return std::move(subject.value);
}

bool WriteAndSave(Env env, MailItem& item, const std::u16string& subject, int writePlace,
                  int savePlace) {
  const HResult written = item.SetSubject(subject);
  env.log.LogFailure(written, writePlace);
  if (hr::Failed(written)) return false;
  const HResult saved = item.Save();
  env.log.LogFailure(saved, savePlace);
  return hr::Succeeded(saved);
}

// One step of RemoveMarks: the places are read, read + 1 (write), read + 2
// (save).
template <class Drop>
void RemovalStep(Env env, MailItem& item, int readPlace, Drop drop) {
  const std::optional<std::u16string> subject = ReadSubject(env, item, readPlace);
  if (!subject || subject->empty()) return;
  const std::size_t dropped = drop(*subject);
  if (dropped == 0) return;
  WriteAndSave(env, item, subject->substr(dropped), readPlace + 1, readPlace + 2);
}

}  // namespace

std::string ReportMarkText(SpamReason reason, double score) {
  if (reason == SpamReason::Bayes) return BayesMark(score);
  const ReasonMark* entry = FindReason(reason);
  return entry ? entry->mark : "";
}

char CategoryDigit(SpamReason reason) {
  const ReasonMark* entry = FindReason(reason);
  return entry ? entry->digit : '\0';
}

bool HasInboxMarker(std::u16string_view subject) {
  return subject.size() >= kInboxMarkerLength && subject.substr(0, 2) == u"<*" &&
         subject.substr(3, 2) == u"*>";
}

bool HasSpamFolderMarker(std::u16string_view subject) {
  return subject.size() >= kSpamFolderMarkerLength && subject.substr(0, 3) == u"_<*" &&
         subject.substr(4, 2) == u"*>";
}

bool StartsWithReportMark(std::u16string_view subject) {
  if (subject.size() < kReportMarkLength) return false;
  const std::u16string_view head = subject.substr(0, kReportMarkLength);
  if (IsBayesMark(head)) return true;
  for (const ReasonMark& entry : kReasonMarks) {
    if (entry.reason != SpamReason::Bayes && head == Widen(entry.mark)) return true;
  }
  return false;
}

std::optional<std::u16string> ReadSubjectForSpamFolderMarker(Env env, MailItem& item) {
  return ReadSubject(env, item, kPlaceSubjectForMarker);
}

bool ItemHasInboxMarker(MailItem& item) {
  const Result<std::u16string> subject = item.Subject();
  return subject.ok() && HasInboxMarker(subject.value);
}

bool AddReportMark(Env env, MailItem& item, bool inSpamFolder, SpamReason reason, double score) {
  const ReasonMark* entry = FindReason(reason);
  if (!entry) {
    // Nothing to write: the subject stays as it is.
    env.log.LogFailure(hr::kMissing, kPlaceUnknownReason);
    return false;
  }
  std::u16string tag = inSpamFolder ? u"_<*" : u"<*";
  tag += static_cast<char16_t>(entry->digit);
  tag += u"*>";
  if (env.options.bAddReportMarksToSubj) tag += Widen(ReportMarkText(reason, score));

  // A subject that cannot be read is left alone rather than replaced by the
  // tag alone: the user's subject would be lost.
  const std::optional<std::u16string> subject = ReadSubject(env, item, kPlaceMarkRead);
  if (!subject) return false;
  return WriteAndSave(env, item, tag + *subject, kPlaceMarkWrite, kPlaceMarkSave);
}

MarkedMessage MarkClassifiedMessage(Env env, MailItem& item, const FolderPtr& spamFolder,
                                    SpamReason reason, double score) {
  MarkedMessage outcome;
  const Result<std::int32_t> sensitivity = item.Sensitivity();
  env.log.LogFailure(sensitivity.status, kPlaceSensitivity);
  outcome.isPrivate = sensitivity.value == olk::kSensitivityPrivate;

  if (env.options.bSpamAutoMove) {
    if (!spamFolder) {
      env.log.LogFailure(hr::kMissing, kPlaceMove);
    } else {
      const Result<DispatchPtr> moved = item.Move(spamFolder);
      env.log.LogFailure(moved.status, kPlaceMove);
      if (moved.ok() && moved.value) outcome.movedItem = moved.value->AsMailItem();
    }
  }
  if (outcome.isPrivate) return outcome;
  if (outcome.movedItem) {
    outcome.marked = AddReportMark(env, *outcome.movedItem, true, reason, score);
  } else {
    outcome.marked = AddReportMark(env, item, false, reason, score);
  }
  return outcome;
}

void ConvertToSpamFolderMarker(Env env, MailItem& item) {
  const std::optional<std::u16string> subject = ReadSubject(env, item, kPlaceConvertRead);
  if (!subject || !HasInboxMarker(*subject)) {
    env.log.LogFailure(hr::kMissing, kPlaceConvertNoMarker);
    return;
  }
  WriteAndSave(env, item, u"_" + *subject, kPlaceConvertWrite, kPlaceConvertSave);
}

void RemoveMarks(Env env, MailItem& item) {
  RemovalStep(env, item, kPlacesDropInboxMarker, [](std::u16string_view subject) {
    return HasInboxMarker(subject) ? kInboxMarkerLength : 0;
  });
  RemovalStep(env, item, kPlacesDropSpamFolderMarker, [](std::u16string_view subject) {
    return HasSpamFolderMarker(subject) ? kSpamFolderMarkerLength : 0;
  });
  RemovalStep(env, item, kPlacesDropReportMark, [](std::u16string_view subject) {
    return StartsWithReportMark(subject) ? kReportMarkLength : 0;
  });
}

}  // namespace skerrow
