#include "host/maildir/EncodedWordEncoder.h"

#include <algorithm>

#include "base/Utf8.h"
#include "host/maildir/TransferEncoding.h"

namespace skerrow::maildir {

namespace {

constexpr std::size_t kLineLimit = 78;
// "=?UTF-8?B?" + 60 base64 characters + "?=" is 72 characters, within the
// 75 an encoded word may have; 60 characters carry 45 bytes.
constexpr std::size_t kBytesPerWord = 45;

bool NeedsEncoding(std::u16string_view text) {
  if (text.empty()) return false;
  if (text.front() == u' ' || text.front() == u'\t' || text.back() == u' ' ||
      text.back() == u'\t') {
    return true;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if ((c < 0x20 && c != u'\t') || c > 0x7E) return true;
    if (c == u'=' && i + 1 < text.size() && text[i + 1] == u'?') return true;
  }
  return false;
}

std::string FoldPlain(const std::string& text, std::size_t nameLength, std::string_view eol) {
  std::string out;
  std::size_t column = nameLength;
  std::size_t start = 0;
  while (start < text.size()) {
    // The next word with the blanks in front of it.
    std::size_t end = start;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    const std::size_t length = end - start;
    if (column + length > kLineLimit && start > 0) {
      out += eol;  // the word's own leading blank continues the line
      column = 0;
    }
    out.append(text, start, length);
    column += length;
    start = end;
  }
  return out;
}

}  // namespace

std::string EncodedWordEncoder::Encode(std::u16string_view text, std::size_t nameLength,
                                       std::string_view eol) {
  if (!NeedsEncoding(text)) return FoldPlain(Utf16ToUtf8(text), nameLength, eol);
  const std::string utf8 = Utf16ToUtf8(text);
  std::string out;
  std::size_t start = 0;
  while (start < utf8.size()) {
    std::size_t end = std::min(utf8.size(), start + kBytesPerWord);
    // Back up to a character boundary (a byte that is not a continuation).
    while (end < utf8.size() && end > start + 1 &&
           (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
      --end;
    }
    if (start > 0) {
      out += eol;
      out += ' ';
    }
    out += "=?UTF-8?B?";
    out += TransferEncoding::EncodeBase64(std::string_view(utf8).substr(start, end - start), "", 0);
    out += "?=";
    start = end;
  }
  return out;
}

}  // namespace skerrow::maildir
