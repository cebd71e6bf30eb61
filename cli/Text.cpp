#include "cli/Text.h"

#include <cstdio>

#include "base/Utf8.h"
#include "platform/Platform.h"

namespace skerrow::cli {

std::string ToUtf8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

std::u16string FromUtf8(std::string_view text) {
  return Utf8ToUtf16(text);
}

std::string AnsiToUtf8(std::string_view text, const CodePage& codePage) {
  return ToUtf8(codePage.ToWide(text));
}

std::string Utf8ToAnsi(std::string_view text, const CodePage& codePage) {
  return codePage.ToNarrow(FromUtf8(text)).text;
}

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    char escape[8];
    if (byte == '\r' || byte == '\n' || byte == '\t') {
      out += byte == '\r' ? "\\r" : byte == '\n' ? "\\n" : "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      out += escape;
    } else if (byte == 0xC2 && i + 1 < text.size() &&
               static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(text[++i]));
      out += escape;
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace skerrow::cli
