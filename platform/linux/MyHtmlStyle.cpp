#include "platform/linux/MyHtmlStyle.h"

#include <array>
#include <vector>

#include "base/AsciiText.h"

namespace skerrow {

namespace {

using ascii::IsSpace;
using ascii::Trim;

std::string Lower(std::string_view text) {
  return ascii::ToLower(text);
}

// The style with every comment replaced by a blank, as a browser reads it
// ("/*x*/font-size:1px" sets the size). Quoted text keeps what looks like a
// comment; an unclosed comment runs to the end.
std::string WithoutComments(std::string_view style) {
  std::string out;
  out.reserve(style.size());
  char quote = 0;
  for (std::size_t i = 0; i < style.size(); ++i) {
    const char c = style[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '/' && i + 1 < style.size() && style[i + 1] == '*') {
      const std::size_t close = style.find("*/", i + 2);
      i = close == std::string_view::npos ? style.size() : close + 1;
      out += ' ';
      continue;
    }
    out += c;
  }
  return out;
}

struct Declaration {
  std::string property;  // lower case
  std::string_view value;
};

// Splits at ";" outside quotes and parentheses.
std::vector<Declaration> Declarations(std::string_view style) {
  std::vector<Declaration> out;
  std::size_t start = 0;
  char quote = 0;
  int parentheses = 0;
  for (std::size_t i = 0; i <= style.size(); ++i) {
    char c = i < style.size() ? style[i] : ';';
    if (quote != 0) {
      if (c == quote) quote = 0;
      if (i < style.size()) continue;
    } else if (c == '"' || c == '\'') {
      quote = c;
      continue;
    } else if (c == '(') {
      ++parentheses;
      continue;
    } else if (c == ')' && parentheses > 0) {
      --parentheses;
      continue;
    }
    if (c != ';' || (parentheses > 0 && i < style.size())) continue;
    std::string_view declaration = style.substr(start, i - start);
    start = i + 1;
    std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view value = Trim(declaration.substr(colon + 1));
    std::size_t bang = value.rfind('!');
    if (bang != std::string_view::npos && Lower(Trim(value.substr(bang + 1))) == "important") {
      value = Trim(value.substr(0, bang));
    }
    out.push_back(Declaration{Lower(Trim(declaration.substr(0, colon))), value});
  }
  return out;
}

bool IsSizeKeyword(std::string_view word) {
  static constexpr std::array<std::string_view, 10> kKeywords{
      "xx-small", "x-small",  "small",     "medium",  "large",
      "x-large",  "xx-large", "xxx-large", "smaller", "larger"};
  std::string lower = Lower(word);
  for (std::string_view keyword : kKeywords) {
    if (lower == keyword) return true;
  }
  return false;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The size in a font shorthand: the first word that is a length, a
// percentage or a size keyword (a bare number is a weight, except 0).
std::string SizeInFontShorthand(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size()) {
    while (i < value.size() && IsSpace(value[i])) ++i;
    std::size_t start = i;
    while (i < value.size() && !IsSpace(value[i])) ++i;
    std::string_view word = value.substr(start, i - start);
    if (word.empty()) break;
    std::size_t slash = word.find('/');
    if (slash != std::string_view::npos) word = word.substr(0, slash);
    if (word.empty()) continue;
    if (IsSizeKeyword(word)) return std::string(word);
    if (IsDigit(word.front()) || word.front() == '.' || word.front() == '-' ||
        word.front() == '+') {
      bool bareNumber = true;
      for (char c : word) bareNumber = bareNumber && (IsDigit(c) || c == '.');
      if (!bareNumber || word.find_first_not_of("0.") == std::string_view::npos) {
        return std::string(word);
      }
    }
  }
  return {};
}

}  // namespace

std::string StyleFontSize(std::string_view style) {
  const std::string text = WithoutComments(style);
  std::string size;
  for (const Declaration& declaration : Declarations(text)) {
    if (declaration.property == "font-size") {
      size = declaration.value;
    } else if (declaration.property == "font") {
      std::string shorthand = SizeInFontShorthand(declaration.value);
      if (!shorthand.empty()) size = shorthand;
    }
  }
  return size;
}

std::string StyleColor(std::string_view style) {
  const std::string text = WithoutComments(style);
  std::string color;
  for (const Declaration& declaration : Declarations(text)) {
    if (declaration.property == "color") color = declaration.value;
  }
  return color;
}

}  // namespace skerrow
