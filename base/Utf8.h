// UTF-8 <-> UTF-16 conversions for texts crossing the host and HTML-engine
// boundaries and for the command line's output. Invalid
// input never fails: a byte that does not start a well-formed sequence, or a
// lone surrogate, becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace skerrow {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

std::u16string Utf8ToUtf16(std::string_view bytes);
// Utf8ToUtf16 appended to out, for a text decoded in pieces.
void AppendUtf8AsUtf16(std::u16string& out, std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);

// Appends the UTF-16 form of one code point.
void AppendCodePoint(std::u16string& out, char32_t codePoint);

// Reads the next code point of a UTF-16 text at index (advanced past it); a
// lone surrogate reads as U+FFFD.
char32_t NextCodePoint(std::u16string_view text, std::size_t& index);

}  // namespace skerrow
