// A header text from UTF-16 to the bytes of a header field body, such that
// EncodedWordDecoder gives back exactly the same text.
//
// Plain printable ASCII is written as it is, folded at blanks into lines of
// at most 78 characters. Anything else (non-ASCII, control characters such
// as CR or LF that would otherwise start a new header, a literal "=?" that
// would read as an encoded word, blanks at either end that unfolding trims)
// makes the whole text UTF-8 base64 encoded words, never splitting a
// character, one per folded line.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

class EncodedWordEncoder {
 public:
  // nameLength: the length of "Name: " before the body on the first line.
  // eol: the file's line ending, used for folding.
  static std::string Encode(std::u16string_view text, std::size_t nameLength, std::string_view eol);
};

}  // namespace skerrow::maildir
