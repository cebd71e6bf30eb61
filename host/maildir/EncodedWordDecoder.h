// Header text with RFC 2047 encoded words, to UTF-16.
//
// Each encoded word's payload is decoded on its own (a padded base64 word
// followed by another must not swallow the second), then the bytes of
// neighbouring words in the same charset are joined before the charset
// conversion, so that a character split across two words survives. Blanks
// between two encoded words vanish; all other text stays as it is, read as
// UTF-8 when well-formed and as windows-1252 otherwise. Malformed words are
// kept as literal text. Line breaks of folded headers and NUL bytes are
// dropped; leading and trailing blanks are trimmed.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

class EncodedWordDecoder {
 public:
  static std::u16string Decode(std::string_view raw);
};

}  // namespace skerrow::maildir
