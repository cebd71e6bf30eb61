// UTF-16 <-> UTF-8 for the HTML engine, which works in UTF-8 inside and in
// UTF-16 at its interface. Never fails: what cannot be converted (an unpaired
// surrogate, a broken UTF-8 sequence) becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace skerrow {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace skerrow
