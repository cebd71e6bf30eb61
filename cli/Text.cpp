#include "cli/Text.h"

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

}  // namespace skerrow::cli
