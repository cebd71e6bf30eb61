#include "base/Utf8.h"

#include <cstdint>
#include <cstring>

namespace skerrow {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the run of ASCII bytes the text begins with, looked at eight
// bytes at a time.
std::size_t AsciiRun(std::string_view bytes) {
  std::size_t index = 0;
  for (; index + 8 <= bytes.size(); index += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + index, sizeof word);
    if ((word & 0x8080808080808080u) != 0) break;
  }
  while (index < bytes.size() && static_cast<unsigned char>(bytes[index]) < 0x80) ++index;
  return index;
}

// Decodes one sequence at bytes[index]; returns its length, 0 when the bytes
// there are not a well-formed sequence.
std::size_t DecodeSequence(std::string_view bytes, std::size_t index, char32_t& codePoint) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  const unsigned char lead = byte(index);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (index + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(index + i);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t index = 0;
  while (index < bytes.size()) {
    index += AsciiRun(bytes.substr(index));
    if (index == bytes.size()) break;
    char32_t codePoint = 0;
    const std::size_t length = DecodeSequence(bytes, index, codePoint);
    if (length == 0) return false;
    index += length;
  }
  return true;
}

void AppendUtf8AsUtf16(std::u16string& out, std::string_view bytes) {
  // No sequence gives more units than it has bytes.
  const std::size_t start = out.size();
  out.resize(start + bytes.size());
  char16_t* write = out.data() + start;
  std::size_t index = 0;
  while (index < bytes.size()) {
    const std::size_t ascii = AsciiRun(bytes.substr(index));
    for (std::size_t end = index + ascii; index < end; ++index) {
      *write++ = static_cast<char16_t>(static_cast<unsigned char>(bytes[index]));
    }
    if (index == bytes.size()) break;
    char32_t codePoint = 0;
    const std::size_t length = DecodeSequence(bytes, index, codePoint);
    if (length == 0) {
      *write++ = static_cast<char16_t>(kReplacement);
      ++index;
      continue;
    }
    if (codePoint < 0x10000) {
      *write++ = static_cast<char16_t>(codePoint);
    } else {
      *write++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
      *write++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    }
    index += length;
  }
  out.resize(static_cast<std::size_t>(write - out.data()));
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  AppendUtf8AsUtf16(out, bytes);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t index = 0;
  while (index < text.size()) AppendUtf8(out, NextCodePoint(text, index));
  return out;
}

void AppendCodePoint(std::u16string& out, char32_t codePoint) {
  if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    codePoint = kReplacement;
  }
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

char32_t NextCodePoint(std::u16string_view text, std::size_t& index) {
  const char16_t unit = text[index++];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && index < text.size()) {
    const char16_t low = text[index];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++index;
      return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return kReplacement;
}

}  // namespace skerrow
