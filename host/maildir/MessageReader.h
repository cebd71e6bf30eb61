// The properties of a message file as the mail item shows them. The summary
// comes from the header block alone (cheap enough to read for every item a
// Restrict looks at); the bodies need the whole MIME structure.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/maildir/MimeStructure.h"

namespace skerrow::maildir {

struct MessageSummary {
  std::u16string subject;                  // RFC 2047 decoded
  std::u16string senderName;               // From's display name, else its address
  std::u16string to;                       // names (else addresses) of To, joined by "; "
  std::vector<std::u16string> recipients;  // every To, Cc and Bcc address
  // The newest Received header's date, else the Date header's.
  std::optional<std::time_t> headerTime;
  std::int32_t importance = 1;   // 0 low, 1 normal, 2 high
  std::int32_t sensitivity = 0;  // 0 normal, 1 personal, 2 private, 3 confidential
};

struct MessageBodies {
  std::u16string body;      // the text/plain body
  std::u16string htmlBody;  // the text/html body, empty without one
  bool hasHtmlPart = false;
  std::vector<std::u16string> attachmentNames;  // every part with a file name
  // Set by LocateBodies: body and htmlBody are left empty, and the parts
  // that hold them are read from the message when asked for (ReadText).
  bool textsLocated = false;
  std::optional<MimePart> plainPart;
  std::optional<MimePart> htmlPart;
};

class MessageReader {
 public:
  // head: the raw message, or at least its header block.
  static MessageSummary ReadSummary(std::string_view head);
  // The subject alone, as ReadSummary gives it.
  static std::u16string ReadSubject(std::string_view head);
  static MessageBodies ReadBodies(std::string_view raw);
  // ReadBodies without decoding the texts: where they are instead, so that
  // a large message's texts need not be kept beside the copies handed out.
  static MessageBodies LocateBodies(std::string_view raw);
  // Hands the content of a part (raw[contentStart, contentEnd)) to take, in
  // order and in pieces; false when it could not all be read.
  using ContentPieces = std::function<bool(const std::function<void(std::string_view)>& take)>;
  // The text of a located part, as ReadBodies decodes it, decoded piece by
  // piece (its transfer encoding, then its charset): a large body costs its
  // text and no copy of its bytes. Null when the content could not be read.
  static std::optional<std::u16string> ReadText(const MimePart& part, const ContentPieces& content);
  // An RFC 5322 date (leniently), as seconds since the epoch.
  static std::optional<std::time_t> ParseDate(std::string_view text);
};

}  // namespace skerrow::maildir
