// The transfer encodings the store writes itself (message bodies it rewrites,
// encoded words of headers) and the lenient base64 reading of encoded words.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

class TransferEncoding {
 public:
  // Decodes base64 text, skipping characters outside the alphabet and
  // stopping at the first padding; a trailing partial group yields the bytes
  // it completes. Never fails.
  static std::string DecodeBase64(std::string_view text);

  // Base64 in lines of at most 76 characters, each ended by eol (none when
  // lineLength is 0: one unbroken run without an ending).
  static std::string EncodeBase64(std::string_view bytes, std::string_view eol,
                                  std::size_t lineLength = 76);

  // Quoted-printable in lines of at most 76 characters ended by eol; a line
  // break of the input (LF or CRLF) is written as eol. No trailing soft break
  // when the input does not end with a line break.
  static std::string EncodeQuotedPrintable(std::string_view bytes, std::string_view eol);
};

}  // namespace skerrow::maildir
