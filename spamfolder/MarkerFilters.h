// The Items.Restrict texts that select messages by their subject markers.
// They rely on the marker format: a marker's digit is always 1 to 5, so every
// marked subject sorts between the "0" and the "9" form of its marker. The
// texts are kept exactly as the mail client has always been given them (two
// blanks after AND).
#pragma once

namespace skerrow {

// Subjects that begin with an Inbox marker ("<*5*>...").
inline constexpr const char16_t* kInboxMarkerFilter =
    u"[Subject] >= \"<*0*>\" AND  [Subject] <= \"<*9*>\"";

// Subjects that begin with a Spam-folder marker ("_<*5*>...").
inline constexpr const char16_t* kSpamFolderMarkerFilter =
    u"[Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\"";

// Every other subject.
inline constexpr const char16_t* kNoSpamFolderMarkerFilter =
    u"NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")";

}  // namespace skerrow
