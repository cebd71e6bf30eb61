// UTF-16 text kept as bytes, little-endian whatever the machine, as the
// index stores subjects and the address book's cards.
#pragma once

#include <string>
#include <string_view>

namespace skerrow::maildir {

inline void AppendUtf16Bytes(std::string& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
}

inline std::string Utf16Bytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  AppendUtf16Bytes(bytes, text);
  return bytes;
}

// The text of an even number of bytes (a last odd byte is left out).
inline std::u16string Utf16FromBytes(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return text;
}

}  // namespace skerrow::maildir
