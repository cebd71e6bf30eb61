// The properties of a message file as the mail item shows them. The summary
// comes from the header block alone (cheap enough to read for every item a
// Restrict looks at); the bodies need the whole MIME structure.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
};

class MessageReader {
 public:
  // head: the raw message, or at least its header block.
  static MessageSummary ReadSummary(std::string_view head);
  // The subject alone, as ReadSummary gives it.
  static std::u16string ReadSubject(std::string_view head);
  static MessageBodies ReadBodies(std::string_view raw);
  // An RFC 5322 date (leniently), as seconds since the epoch.
  static std::optional<std::time_t> ParseDate(std::string_view text);
};

}  // namespace skerrow::maildir
