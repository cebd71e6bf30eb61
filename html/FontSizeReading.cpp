#include "html/FontSizeReading.h"

#include <array>
#include <charconv>
#include <climits>
#include <optional>
#include <string>

#include "base/AsciiText.h"

namespace skerrow {

namespace {

// The keyword "small" at the usual 16-pixel base. The rule counts it as extra
// small, so a size comes plainly out of the rule's reach only above it.
constexpr double kSmallKeywordPixels = 13;

// What a size comes to in pixels, at a 16-pixel surrounding font and 96
// pixels to the inch, when that is plain from the text alone: a keyword or a
// number in a font-relative or absolute unit. Nothing for a bare number, a
// percentage, a viewport unit or anything else.
std::optional<double> PlainPixels(std::string_view size) {
  struct Named {
    std::string_view name;
    double pixels;
  };
  // The keywords the rule itself gives 0 (xx-small, x-small, small) are left
  // to it. smaller and larger scale the surrounding font by about 1.2; the
  // global keywords stand for the surrounding or the initial (medium) font.
  static constexpr std::array<Named, 11> kKeywords{{{"medium", 16},
                                                    {"large", 18},
                                                    {"x-large", 24},
                                                    {"xx-large", 32},
                                                    {"xxx-large", 48},
                                                    {"larger", 19.2},
                                                    {"smaller", 13.3},
                                                    {"inherit", 16},
                                                    {"initial", 16},
                                                    {"unset", 16},
                                                    {"revert", 16}}};
  for (const Named& keyword : kKeywords) {
    if (size == keyword.name) return keyword.pixels;
  }
  static constexpr std::array<Named, 11> kUnits{{{"em", 16},
                                                 {"rem", 16},
                                                 {"ex", 8},
                                                 {"ch", 8},
                                                 {"px", 1},
                                                 {"pt", 96.0 / 72},
                                                 {"pc", 16},
                                                 {"in", 96},
                                                 {"cm", 96 / 2.54},
                                                 {"mm", 96 / 25.4},
                                                 {"q", 96 / 101.6}}};
  if (!size.empty() && size.front() == '+') size.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), value);
  if (error != std::errc() || end == size.data()) return std::nullopt;
  const std::string_view unit(end, static_cast<std::size_t>(size.data() + size.size() - end));
  for (const Named& known : kUnits) {
    if (unit == known.name) return value * known.pixels;
  }
  return std::nullopt;
}

}  // namespace

int LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && ascii::IsSpace(text[i])) ++i;
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
  if (size.empty() || LeadingInteger(size) > 2) return false;
  const std::optional<double> pixels = PlainPixels(ascii::ToLower(ascii::Trim(size)));
  return !pixels || *pixels <= kSmallKeywordPixels;
}

}  // namespace skerrow
