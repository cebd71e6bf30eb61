// The windows-1252 code page, decoded and encoded without iconv: glibc's
// converter rejects the five bytes the code page leaves undefined (0x81 0x8D
// 0x8F 0x90 0x9D), which would cut a message's text short. Here they stand for
// the C1 control code points of the same value, as Windows itself maps them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skerrow::maildir {

class Windows1252 {
 public:
  static std::u16string Decode(std::string_view bytes);
  // The byte for a code point, empty when the code page has none.
  static std::optional<unsigned char> Encode(char32_t codePoint);
};

}  // namespace skerrow::maildir
