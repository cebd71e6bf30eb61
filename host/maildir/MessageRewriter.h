// Applies written properties to a raw message, changing only the bytes that
// carry them: the Subject field (encoded words when the text is not plain
// ASCII), and the content of the text/html body part. Every other field,
// part, preamble and line ending stays byte for byte as it was.
//
// The new HTML is written in the part's own charset (a character the charset
// lacks becomes a numeric character reference) and transfer encoding, with
// the file's line endings. Only when the old encoding cannot carry it safely
// (8-bit bytes in a 7bit part, a line that would read as a MIME boundary, an
// encoding the store does not write) does the part switch to base64, and its
// Content-Transfer-Encoding field with it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/Result.h"

namespace skerrow::maildir {

struct MessageEdits {
  std::optional<std::u16string> subject;
  std::optional<std::u16string> htmlBody;

  bool Empty() const { return !subject && !htmlBody; }
};

class MessageRewriter {
 public:
  // The rewritten message; fails with hr::kNotImpl when an HTML body is to be
  // written into a message that has no text/html body part.
  static Result<std::string> Apply(std::string_view raw, const MessageEdits& edits);
};

}  // namespace skerrow::maildir
