#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <climits>

namespace skerrow {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text passes as wchar_t");

const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The text with "?" for each unpaired surrogate half and, when pairs are
// not representable either, for each pair; empty when there is nothing to
// replace, so that the common text is not copied.
std::u16string WithoutSurrogates(std::u16string_view text, bool pairsRepresentable) {
  std::size_t first = 0;
  while (first < text.size() && !IsHighSurrogate(text[first]) && !IsLowSurrogate(text[first])) {
    ++first;
  }
  if (first == text.size()) return {};
  std::u16string result(text.substr(0, first));
  for (std::size_t i = first; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const bool pair = IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    if (pair && pairsRepresentable) {
      result.append(text.substr(i, 2));
      ++i;
    } else if (pair) {
      result.push_back(u'?');
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      result.push_back(u'?');
    } else {
      result.push_back(unit);
    }
  }
  return result;
}

}  // namespace

Win32CodePage::Win32CodePage() : Win32CodePage(GetACP()) {}

Win32CodePage::Win32CodePage(unsigned id) : id_(id) {
  CPINFO info{};
  // A code page of more than two bytes a character (UTF-8) takes no default
  // character and has no lead bytes in the double-byte sense.
  hasDefaultChar_ = !GetCPInfo(id_, &info) || info.MaxCharSize <= 2;
  for (unsigned b = 0; b < 256; ++b) {
    lead_[b] = hasDefaultChar_ && IsDBCSLeadByteEx(id_, static_cast<BYTE>(b));
    upper_[b] = static_cast<unsigned char>(b);
  }
  // The upper case of each single byte: its character upper-cased by the
  // system, when that is a single byte of the code page again.
  for (unsigned b = 1; b < 256; ++b) {
    if (lead_[b]) continue;
    const char byte = static_cast<char>(b);
    wchar_t character = 0;
    wchar_t upper = 0;
    if (MultiByteToWideChar(id_, 0, &byte, 1, &character, 1) != 1 ||
        LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &character, 1, &upper, 1) != 1 ||
        upper == character) {
      continue;
    }
    char back[4];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(id_, hasDefaultChar_ ? WC_NO_BEST_FIT_CHARS : 0, &upper,
                                           1, back, sizeof back, hasDefaultChar_ ? "?" : nullptr,
                                           hasDefaultChar_ ? &usedDefault : nullptr);
    if (length == 1 && !usedDefault) upper_[b] = static_cast<unsigned char>(back[0]);
  }
}

NarrowText Win32CodePage::ToNarrow(std::u16string_view text) const {
  NarrowText result;
  // The system would write a "?" for each half of a pair; one for the pair,
  // as in the Linux home, keeps both homes' words the same.
  const std::u16string replaced = WithoutSurrogates(text, !hasDefaultChar_);
  if (!replaced.empty()) {
    result.usedDefaultChar = replaced != text;
    text = replaced;
  }
  if (text.empty()) return result;
  if (text.size() > INT_MAX / 4) {
    result.usedDefaultChar = true;
    return result;
  }
  const DWORD flags = hasDefaultChar_ ? WC_NO_BEST_FIT_CHARS : 0;
  const char* defaultChar = hasDefaultChar_ ? "?" : nullptr;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = hasDefaultChar_ ? &usedDefault : nullptr;
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(id_, flags, Wide(text.data()), length, nullptr, 0,
                                       defaultChar, usedDefaultOut);
  result.text.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  const int written =
      size > 0 ? WideCharToMultiByte(id_, flags, Wide(text.data()), length, result.text.data(),
                                     size, defaultChar, usedDefaultOut)
               : 0;
  if (written <= 0) {
    // Nothing could be converted: none of it is representable.
    result.text.clear();
    result.usedDefaultChar = true;
    return result;
  }
  result.text.resize(static_cast<std::size_t>(written));
  result.usedDefaultChar = result.usedDefaultChar || usedDefault;
  return result;
}

std::u16string Win32CodePage::ToWide(std::string_view text) const {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) return ToWideByteByByte(text.substr(0, INT_MAX));
  const int length = static_cast<int>(text.size());
  // Text that is valid throughout converts in one step; other text byte by
  // byte, so that an invalid sequence costs one "?" and nothing after it.
  const DWORD flags = hasDefaultChar_ ? MB_ERR_INVALID_CHARS : 0;
  const int size = MultiByteToWideChar(id_, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return ToWideByteByByte(text);
  std::u16string result(static_cast<std::size_t>(size), u'\0');
  const int written = MultiByteToWideChar(id_, flags, text.data(), length,
                                          reinterpret_cast<wchar_t*>(result.data()), size);
  if (written <= 0) return ToWideByteByByte(text);
  result.resize(static_cast<std::size_t>(written));
  return result;
}

std::u16string Win32CodePage::ToWideByteByByte(std::string_view text) const {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    wchar_t unit = 0;
    if (lead_[static_cast<unsigned char>(text[i])]) {
      if (i + 1 < text.size() &&
          MultiByteToWideChar(id_, MB_ERR_INVALID_CHARS, &text[i], 2, &unit, 1) == 1) {
        result.push_back(static_cast<char16_t>(unit));
        i += 2;
      } else {
        result.push_back(u'?');
        ++i;
      }
      continue;
    }
    if (MultiByteToWideChar(id_, 0, &text[i], 1, &unit, 1) != 1) unit = 0xFFFD;
    result.push_back(static_cast<char16_t>(unit));
    ++i;
  }
  return result;
}

std::string Win32CodePage::ToUpper(std::string_view text) const {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(result[i]);
    if (lead_[byte]) {
      ++i;  // the trail byte belongs to the character, whatever its value
      continue;
    }
    result[i] = static_cast<char>(upper_[byte]);
  }
  return result;
}

int Win32CodePage::CompareNoCase(std::string_view a, std::string_view b) const {
  const int order = ToUpper(a).compare(ToUpper(b));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace skerrow
