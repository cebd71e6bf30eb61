#include "platform/linux/MyHtmlStyle.h"

#include <array>
#include <vector>

namespace skerrow {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
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
  std::string size;
  for (const Declaration& declaration : Declarations(style)) {
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
  std::string color;
  for (const Declaration& declaration : Declarations(style)) {
    if (declaration.property == "color") color = declaration.value;
  }
  return color;
}

}  // namespace skerrow
