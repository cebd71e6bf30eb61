// The subject tags of spam: a category marker ("<*5*>" while the message is
// outside the Spam folder, "_<*5*>" once it has been taken in) optionally
// followed by a 15-character report mark ("[SpamBody     ]"), written at the
// very front of the subject. These functions are the only code that writes,
// tests or removes the tags; the folder logic finds messages by them.
//
// Every item operation logs each failed host call with its place code and goes
// on with the next step. None of them throws.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/Env.h"
#include "engine/SpamVerdict.h"
#include "host/MailHost.h"

namespace skerrow {

// Length of every report mark: "[" + 13 characters + "]".
inline constexpr std::size_t kReportMarkLength = 15;
inline constexpr std::size_t kInboxMarkerLength = 5;       // "<*X*>"
inline constexpr std::size_t kSpamFolderMarkerLength = 6;  // "_<*X*>"

// The report mark of a reason ("[Bayes 0.973  ]" for Bayes, formatted from
// the probability), or empty for a code outside 1 to 16.
std::string ReportMarkText(SpamReason reason, double score);

// The category digit written into the marker, or 0 for an unknown code.
char CategoryDigit(SpamReason reason);

// "<*" any character "*>" at the front.
bool HasInboxMarker(std::u16string_view subject);
// "_<*" any character "*>" at the front.
bool HasSpamFolderMarker(std::u16string_view subject);
// One of the report marks this system writes at the front (only these are
// ever removed, so a subject of the user's that happens to open with a
// bracketed text keeps it).
bool StartsWithReportMark(std::u16string_view subject);

// The item forms of the marker tests. Only the Spam-folder form has a place
// for a failed read (300301); it answers empty then. An item whose subject
// cannot be read has no Inbox marker.
std::optional<std::u16string> ReadSubjectForSpamFolderMarker(Env env, MailItem& item);
bool ItemHasInboxMarker(MailItem& item);

// Writes marker + report mark (when bAddReportMarksToSubj is on) in front of
// the current subject and saves. Does not look for an existing marker. True
// when the new subject was written and saved; a subject that cannot be read is
// never overwritten.
bool AddReportMark(Env env, MailItem& item, bool inSpamFolder, SpamReason reason, double score);

// What MarkClassifiedMessage did with the message.
struct MarkedMessage {
  bool isPrivate = false;
  MailItemPtr movedItem;  // the message in the Spam folder, when it was moved
  bool marked = false;    // a marker was written (and saved)
};

// The entry for a spam decision (new mail, the Mark command): with
// bSpamAutoMove on, moves the message to spamFolder and marks it there with
// the Spam-folder marker; otherwise marks it in place with the Inbox marker.
// Private messages are never retitled. When the move cannot be made (no Spam
// folder, a failed move) the message is marked where it is, so that To Spam
// can still find it.
MarkedMessage MarkClassifiedMessage(Env env, MailItem& item, const FolderPtr& spamFolder,
                                    SpamReason reason, double score);

// Puts "_" in front of a subject that has the Inbox marker, then saves.
void ConvertToSpamFolderMarker(Env env, MailItem& item);

// Removes the Inbox marker, the Spam-folder marker and a report mark, in that
// order, each step re-reading the subject.
void RemoveMarks(Env env, MailItem& item);

}  // namespace skerrow
