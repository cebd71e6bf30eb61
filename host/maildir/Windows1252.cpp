#include "host/maildir/Windows1252.h"

namespace skerrow::maildir {

namespace {

// 0x80..0x9F; the rest of the code page is ISO 8859-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

std::u16string Windows1252::Decode(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80]
                                               : static_cast<char16_t>(byte));
  }
  return out;
}

std::optional<unsigned char> Windows1252::Encode(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<unsigned char>(codePoint);
  }
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace skerrow::maildir
