#include "platform/linux/ConsoleUserInterface.h"

#include "base/Utf8.h"

namespace skerrow {

std::string ConsoleUserInterface::FormatLine(std::u16string_view text) {
  // One line: each line break ("\r\n" counting as one) becomes a blank.
  std::u16string oneLine;
  oneLine.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      oneLine.push_back(u' ');
    } else {
      oneLine.push_back(c);
    }
  }
  return "skerrow: message box: " + Utf16ToUtf8(oneLine);
}

int ConsoleUserInterface::ShowMessage(std::string_view text, std::string_view, unsigned) {
  std::string line = FormatLine(codePage_.ToWide(text));
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fflush(out_);
  return mb::kIdOk;
}

}  // namespace skerrow
