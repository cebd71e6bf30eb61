// The hex escapes of MIME texts: "=41" in quoted-printable and Q-encoded
// header words, "%41" in RFC 2231 parameter values.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

// 0 to 15 for a hex digit of either case, else -1.
int HexDigitValue(char c);

// Each escape character followed by two hex digits becomes that byte; an
// escape without them is kept as it is. With underscoreIsBlank, "_" becomes a
// blank (the Q encoding of header words).
std::string DecodeHexEscapes(std::string_view text, char escape, bool underscoreIsBlank = false);

}  // namespace skerrow::maildir
