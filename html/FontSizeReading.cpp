#include "html/FontSizeReading.h"

#include <array>
#include <charconv>
#include <climits>
#include <string>

namespace skerrow {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string LowerTrimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool IsLargeKeyword(std::string_view size) {
  static constexpr std::array<std::string_view, 6> kLarge{"medium",   "large",     "x-large",
                                                          "xx-large", "xxx-large", "larger"};
  for (std::string_view keyword : kLarge) {
    if (size == keyword) return true;
  }
  return false;
}

// The size in pixels at a 16-pixel base for a relative unit, or -1 when the
// size is not a number in one of these units.
double RelativeSizeInPixels(std::string_view size) {
  double value = 0;
  auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), value);
  if (error != std::errc() || end == size.data()) return -1;
  std::string_view unit(end, static_cast<std::size_t>(size.data() + size.size() - end));
  if (unit == "em" || unit == "rem") return value * 16;
  if (unit == "%") return value * 16 / 100;
  if (unit == "ex" || unit == "ch") return value * 8;
  return -1;
}

}  // namespace

int LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) value = INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

bool IsExtraSmallFontAttribute(std::string_view size) {
  return !size.empty() && LeadingInteger(size) == 0;
}

bool IsExtraSmallStyleFontSize(std::string_view size) {
  if (size.empty()) return false;
  std::string lower = LowerTrimmed(size);
  if (IsLargeKeyword(lower)) return false;
  if (double pixels = RelativeSizeInPixels(lower); pixels >= 0) return pixels <= 2;
  return LeadingInteger(size) <= 2;
}

}  // namespace skerrow
